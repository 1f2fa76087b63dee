# Sourced: starts an Xvfb on a free display number unless one is running for
# this build, and exports DISPLAY. `stop_xvfb` ends it.
_xvfb_pid=""
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        _xvfb_pid=$!
        local i
        for i in $(seq 1 100); do
            [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=":$n"; return 0; }
            kill -0 "$_xvfb_pid" 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "Could not start Xvfb" >&2
    return 1
}
stop_xvfb() {
    [ -n "$_xvfb_pid" ] && kill "$_xvfb_pid" 2>/dev/null && wait "$_xvfb_pid" 2>/dev/null
    _xvfb_pid=""
}
