#!/usr/bin/env bash
# Installs what is missing, builds, and starts VelarMon against a simulated
# demo phone on COM3 with a database of its own (build/demo, where the program
# runs, as a copy kept with its database does). With DISPLAY set
# the program opens there; without it, it runs on a virtual screen and a
# screenshot of the frame is written.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
"$root/tools/setup/deps.sh"
"$root/tools/setup/build.sh"

source "$root/tools/wine/env.sh"
source "$root/tools/wine/xvfb.sh"
demo=$VELARMON_BUILD/demo
mkdir -p "$demo"
[ -f "$demo/velarmon.mdb" ] || cp "$VELARMON_DB_DIR/velarmon.mdb" "$demo/velarmon.mdb"
[ -f "$demo/phone.json" ] || cp "$root/tools/phonesim/demo_phone.json" "$demo/phone.json"
# Bare database names resolve in the current folder, as with Access.
export VELARMON_DB_DIR=.

own_display=0
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    own_display=1
fi

sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    if [ "$own_display" = 1 ]; then
        wineserver -k 2>/dev/null
        stop_xvfb
    fi
}
trap cleanup EXIT

python3 "$root/tools/phonesim/phone-sim" --link "$VELARMON_PORTS/COM3" --state "$demo/phone.json" \
    --log "$demo/phone.log" >"$demo/phone.out" 2>&1 &
sim_pid=$!
for _ in $(seq 1 100); do [ -e "$VELARMON_PORTS/COM3" ] && break; sleep 0.05; done

"$root/tools/wine/start_server.sh"
cd "$demo"
drive="$VELARMON_BUILD/win/tools/e2edrive/vmdrive.exe"
if [ "$own_display" = 0 ]; then
    echo "Starting VelarMon on $DISPLAY (the simulated phone is on COM3)"
    wine "$VELARMON_BUILD/win/velarmon.exe" </dev/null
    exit 0
fi

wine "$VELARMON_BUILD/win/velarmon.exe" </dev/null >"$demo/velarmon.out" 2>&1 &
app_pid=$!
if ! wine "$drive" wait class:KORT_MDI_application --timeout 60000 >/dev/null </dev/null; then
    echo "The frame did not appear; see $demo/velarmon.out" >&2
    kill "$app_pid" 2>/dev/null
    exit 1
fi
sleep 1  # let the frame paint before the picture is taken
import -window root "$VELARMON_BUILD/screenshot.png"
wine "$drive" post class:KORT_MDI_application 100 </dev/null >/dev/null
wait "$app_pid" || true
echo "No DISPLAY: VelarMon ran on a virtual screen; its frame is in $VELARMON_BUILD/screenshot.png"
