#!/usr/bin/env bash
# The phone benchmark: every phone operation of the program against the
# simulated phone, with the slow and the fast exchange side by side, then the
# grid benchmark; ends with one table (also kept in $VELARMON_BUILD/bench/).
#
#   tools/bench/run.sh            # the full run, about half an hour
#   tools/bench/run.sh --quick    # small sizes, a few minutes
#   tools/bench/run.sh --only sms,photo --modes fast --no-grid
#   tools/bench/run.sh --only photo,movie --block-ms 150   # a phone slow over media blocks
#
# Uses the build folder of VELARMON_BUILD (default build/), made by
# tools/setup/build.sh; the program and the window driver are brought up to
# date first. Runs on $DISPLAY, or on an Xvfb of its own when none is set.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tools/wine/env.sh"
if [ ! -f "$VELARMON_BUILD/win/build.ninja" ] || [ ! -f "$VELARMON_BUILD/db/velarmon.mdb" ]; then
    echo "No build in $VELARMON_BUILD: run tools/setup/build.sh first." >&2
    exit 1
fi
mkdir -p "$VELARMON_BUILD/bench"
if ! cmake --build "$VELARMON_BUILD/win" --target velarmon vmdrive >"$VELARMON_BUILD/bench/build.log" 2>&1; then
    echo "Building the program failed; the end of $VELARMON_BUILD/bench/build.log:" >&2
    tail -30 "$VELARMON_BUILD/bench/build.log" >&2
    exit 1
fi
exec python3 "$root/tools/bench/phone_bench.py" "$@"
