#!/usr/bin/env bash
# Installs what is missing, builds the trees and runs every test layer:
# native unit tests, a short run of each fuzz target, Windows tests under
# Wine, end-to-end tests of the real program against the simulated phone.
# Ends with one summary line.
#
# The Windows and end-to-end tests mostly wait for the phone's pauses and for
# windows, not for the processor: they start as soon as their tree is built,
# and the native and fuzz trees are built and tested meanwhile. Each layer's
# lines are printed in the same order as ever, and its time with them.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
# One run at a time in a build folder: a second would rebuild under the first
# and end its Wine processes.
build=${VELARMON_BUILD:-$root/build}
mkdir -p "$build"
if [ -f "$build/test.pid" ] && kill -0 "$(cat "$build/test.pid")" 2>/dev/null; then
    echo "Another test run (process $(cat "$build/test.pid")) uses $build; waiting for it to end"
    while kill -0 "$(cat "$build/test.pid")" 2>/dev/null; do sleep 5; done
fi
echo $$ >"$build/test.pid"
"$root/tools/setup/deps.sh" || exit 1
started=$SECONDS
"$root/tools/setup/build.sh" --wine || exit 1
echo "== build for Wine: $((SECONDS - started)) s"

source "$root/tools/wine/env.sh"
source "$root/tools/wine/slots.sh"
slots=$(slot_count)
prepare_slots "$slots" || exit 1
cleanup() {
    stop_slots "$slots"
}
trap cleanup EXIT
start_slot_displays "$slots" || exit 1

passed=0
failed=0
# Runs a layer's tests into its log and notes how long it took.
run_ctest() {  # name, build dir, ctest args...
    local name=$1 dir=$2; shift 2
    local began=$SECONDS
    nice -n "${niceness:-0}" ctest --test-dir "$dir" --output-on-failure "$@" >"$VELARMON_BUILD/ctest-$name.log" 2>&1
    echo $((SECONDS - began)) >"$VELARMON_BUILD/ctest-$name.seconds"
}
# Prints a layer's failures and counts its tests.
report_layer() {  # name
    local name=$1
    local out=$VELARMON_BUILD/ctest-$name.log
    echo "== $name ($(cat "$VELARMON_BUILD/ctest-$name.seconds" 2>/dev/null || echo "?") s)"
    grep -E '^ *[0-9]+/[0-9]+ Test|tests passed|Errors while|^[^ ].*(Failure|FAILED)' "$out" | grep -v ' Passed ' || true
    local total fails
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$out" | tail -1)
    fails=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$out" | tail -1)
    total=${total:-0}; fails=${fails:-0}
    if [ "$total" -eq 0 ]; then
        echo "   no tests ran; see $out"
        failed=$((failed + 1))
        return
    fi
    passed=$((passed + total - fails))
    failed=$((failed + fails))
}

# The Windows and end-to-end tests run side by side, one to a slot: each
# takes a slot of the resource file and runs in that slot's prefix, display,
# ports and folders. CTest starts the longest first, by the times of its
# previous run or the entries' cost hints.
export VELARMON_SLOT_RESOURCES="$VELARMON_BUILD/slots/resources.json"
rm -f "$VELARMON_BUILD"/ctest-*.log "$VELARMON_BUILD"/ctest-*.seconds
run_ctest wine "$VELARMON_BUILD/win" -L 'win|e2e' -j "$slots" &
wine_layer=$!

# The include direction between the folders.
echo "== layers"
if python3 "$root/tools/check_layers.py" "$root" >"$VELARMON_BUILD/layers.log" 2>&1; then
    passed=$((passed + 1))
else
    cat "$VELARMON_BUILD/layers.log"
    failed=$((failed + 1))
fi

# The unit and fuzz trees are built and tested meanwhile, at a lower
# priority: the Windows and end-to-end tests beside them have time limits.
started=$SECONDS
if nice -n 10 "$root/tools/setup/build.sh" --rest; then
    echo "== build of the unit and fuzz tests: $((SECONDS - started)) s"
    niceness=10 run_ctest unit "$VELARMON_BUILD/native" -j2
    report_layer unit
    # Each fuzz target runs a second over its seeds: a known input that
    # fails again fails here. The long runs are tools/fuzz/run.sh.
    niceness=10 run_ctest fuzz "$VELARMON_BUILD/fuzz" -j2
    report_layer fuzz
else
    failed=$((failed + 1))
fi

wait "$wine_layer"
report_layer wine
grep -E '^ *[0-9]+/[0-9]+ Test' "$VELARMON_BUILD/ctest-wine.log" |
    sed -E 's/.*Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 \1/' | sort -rn | head -5 |
    LC_ALL=C awk '{printf "   longest: %6.1f s  %s\n", $1, $2}'

echo "velarmon: $passed passed, $failed failed ($SECONDS s)"
[ "$failed" -eq 0 ]
