# Sourced by test.sh: the slots the Windows and end-to-end tests run in side by
# side. A slot is build/slots/<n>/ with its own Wine prefix (so its own
# wineserver, registry and virtual desktop), COM-port folder, database folder
# and work folder, and its own Xvfb. CTest hands out the slots as resources,
# one to a test, so no two tests that run at once share any of them; env.sh
# turns the slot CTest names into that slot's environment.
#
# The tests mostly wait on the phone's exchanges and on windows, not on the
# processor, so a slot needs little of it: the count is six slots a core,
# at most one for every 2 GiB of memory (a slot's Wine processes and the
# program take a few hundred MB). On two cores and 24 GiB that is 11: the
# whole test run took 539 to 563 s with 11 slots; with 16 it took 724 s, the
# processor never idle, and two tests failed. VELARMON_SLOTS overrides it.

_slot_xvfb_pids=()

slot_count() {
    if [ -n "${VELARMON_SLOTS:-}" ]; then
        echo "$VELARMON_SLOTS"
        return
    fi
    local cores mem_gib n
    cores=$(nproc)
    mem_gib=$(awk '/^MemTotal:/ {print int($2 / 1048576)}' /proc/meminfo)
    n=$((cores * 6))
    [ "$n" -gt $((mem_gib / 2)) ] && n=$((mem_gib / 2))
    [ "$n" -lt 1 ] && n=1
    echo "$n"
}

# prepare_slots count: makes every slot from the build's prepared prefix and
# database template, and writes the file of slots CTest hands out as
# resources ($VELARMON_BUILD/slots/resources.json).
prepare_slots() {
    local count=$1 base=$VELARMON_BUILD/wine/prefix i
    local slots=$VELARMON_BUILD/slots
    mkdir -p "$slots"
    # The base prefix must be at rest while it is copied: its wineserver
    # writes the registry files when it exits.
    WINEPREFIX=$base wineserver -k 2>/dev/null
    WINEPREFIX=$base wineserver -w 2>/dev/null
    for i in $(seq 0 $((count - 1))); do
        _prepare_slot "$base" "$slots/$i" &
    done
    wait
    {
        printf '{"version": {"major": 1, "minor": 0}, "local": [{"slots": ['
        for i in $(seq 0 $((count - 1))); do
            [ "$i" -gt 0 ] && printf ', '
            printf '{"id": "%d", "slots": 1}' "$i"
        done
        printf ']}]}\n'
    } >"$slots/resources.json"
}

_prepare_slot() {  # base prefix, slot folder
    local base=$1 dir=$2
    local prefix=$dir/wine/prefix
    # A copy of the base prefix whose COM ports point into the slot's own
    # port folder; made again whenever the base prefix is newer.
    if [ ! -f "$prefix/.velarmon-slot-2" ] || [ "$base"/.velarmon-ready-* -nt "$prefix/.velarmon-slot-2" ]; then
        WINEPREFIX=$prefix wineserver -k 2>/dev/null
        rm -rf "$prefix"
        mkdir -p "$dir/wine"
        # The Windows system folders (1.2 GB of DLLs that only wineboot ever
        # writes) are hard links to the base prefix's; everything else, the
        # registry, fonts and user folders included, is a copy of its own.
        cp -al "$base" "$prefix"
        find "$prefix" \( -path "$prefix/drive_c/windows/system32" -o -path "$prefix/drive_c/windows/syswow64" \) \
            -prune -o -type f -links +1 -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
        sed -i "s|\"$VELARMON_BUILD/ports/COM|\"$dir/ports/COM|" "$prefix/system.reg"
        # The registry every test of the slot starts from (reset_slot.sh).
        rm -rf "$dir/wine/registry"
        mkdir -p "$dir/wine/registry"
        cp -p "$prefix"/*.reg "$dir/wine/registry"/
        touch "$prefix/.velarmon-slot-2"
    fi
    # Each run starts from empty port, work and database folders and a fresh
    # copy of the database template.
    rm -rf "$dir/ports" "$dir/db" "$dir/wintest"
    mkdir -p "$dir/ports" "$dir/db"
    cp "$VELARMON_DB_DIR/velarmon.mdb" "$dir/db/velarmon.mdb"
}

# start_slot_displays count: one Xvfb a slot, each on a display number the X
# server picks itself (so runs side by side never race for one); exports
# VELARMON_SLOT_DISPLAYS, the displays in slot order.
start_slot_displays() {
    local count=$1 i n file displays=""
    for i in $(seq 0 $((count - 1))); do
        file=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 &
        _slot_xvfb_pids+=($!)
        n=""
        for _ in $(seq 1 200); do
            n=$(tr -dc 0-9 <"$file")
            [ -n "$n" ] && break
            sleep 0.05
        done
        rm -f "$file"
        if [ -z "$n" ]; then
            echo "Could not start Xvfb for slot $i" >&2
            return 1
        fi
        displays+="${displays:+ }:$n"
    done
    export VELARMON_SLOT_DISPLAYS=$displays
}

# stop_slots count: ends every slot's wineserver and X server.
stop_slots() {
    local count=$1 i pid
    for i in $(seq 0 $((count - 1))); do
        WINEPREFIX=$VELARMON_BUILD/slots/$i/wine/prefix wineserver -k 2>/dev/null
    done
    for pid in "${_slot_xvfb_pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    _slot_xvfb_pids=()
}
