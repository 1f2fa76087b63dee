#!/usr/bin/env bash
# Benchmark: the grid over a phone book of 65,536 records (open, paint, sort,
# prefix search, export), and the vCard, CSV and iCalendar files of 10,000
# rows out and back in, each beside the bare work on the same data. Builds
# win_models in the build folder of tools/wine/env.sh (VELARMON_BUILD) and runs
# its disabled benchmark under Wine; prints only its result lines:
#   grid <operation> <ms> ms bare <ms> ms ratio <grid / bare>
# Needs the prefix and database template that tools/setup/build.sh makes. Runs
# on $DISPLAY, or on an Xvfb of its own when none is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine/env.sh"
source "$root/tools/wine/xvfb.sh"
work=$VELARMON_BUILD/gridbench
mkdir -p "$work"
cmake --build "$VELARMON_BUILD/win" --target win_models >"$work/build.log" 2>&1 || { tail -20 "$work/build.log" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    trap stop_xvfb EXIT
fi
"$root/tools/wine/prepare_prefix.sh" >/dev/null
"$root/tools/wine/start_server.sh"
# The test's phone simulator is started from the source folder, as under CTest.
cd "$root"
status=0
wine "$VELARMON_BUILD/win/tests/win/win_models.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='*Benchmark*' </dev/null >"$work/run.log" 2>&1 || status=$?
grep -E '^grid [a-z-]+ [0-9.]+ ms bare [0-9.]+ ms ratio [0-9.]+' "$work/run.log" || true
if [ "$status" -ne 0 ]; then
    echo "The benchmark failed (exit $status); the end of $work/run.log:" >&2
    tail -30 "$work/run.log" >&2
    exit 1
fi
