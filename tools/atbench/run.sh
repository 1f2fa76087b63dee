#!/usr/bin/env bash
# Benchmark: the time of 20 "AT" exchanges of the program's SendAtCommand
# against the simulated phone pacing its output at 115,200 baud. Not part of
# the test run. Uses the build folder of tools/wine/env.sh (VELARMON_BUILD).
#   tools/atbench/run.sh [COUNT]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine/env.sh"
count=${1:-20}
port=14
work=$VELARMON_BUILD/atbench
mkdir -p "$work"
cmake --build "$VELARMON_BUILD/win" --target atbench >"$work/build.log" 2>&1 || { tail -20 "$work/build.log"; exit 1; }

echo '{"echo": false}' >"$work/phone.json"
python3 "$root/tools/phonesim/phone-sim" --link "$VELARMON_PORTS/COM$port" --state "$work/phone.json" --no-save \
    --log "$work/phone.log" --baud 115200 >"$work/sim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null' EXIT
for _ in $(seq 1 100); do [ -e "$VELARMON_PORTS/COM$port" ] && break; sleep 0.05; done

"$root/tools/wine/prepare_prefix.sh"
"$root/tools/wine/start_server.sh"
wine "$VELARMON_BUILD/win/tools/atbench/atbench.exe" "$port" "$count" </dev/null
