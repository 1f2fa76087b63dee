#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test layer:
# native unit tests, Windows tests under Wine, end-to-end tests of the real
# program against the simulated phone. Ends with one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
"$root/tools/setup/deps.sh" || exit 1
"$root/tools/setup/build.sh" || exit 1

source "$root/tools/wine/env.sh"
source "$root/tools/wine/xvfb.sh"
start_xvfb || exit 1
cleanup() {
    wineserver -k 2>/dev/null
    stop_xvfb
}
trap cleanup EXIT

passed=0
failed=0
run_layer() {  # name, build dir, ctest args...
    local name=$1 dir=$2; shift 2
    local out=$VELARMON_BUILD/ctest-$name.log
    echo "== $name"
    ctest --test-dir "$dir" --output-on-failure "$@" >"$out" 2>&1
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

# The include direction between the folders.
echo "== layers"
if python3 "$root/tools/check_layers.py" "$root" >"$VELARMON_BUILD/layers.log" 2>&1; then
    passed=$((passed + 1))
else
    cat "$VELARMON_BUILD/layers.log"
    failed=$((failed + 1))
fi

# The simulator's live tests time a real pty: a test that fails is run once
# more before it counts as failed.
run_layer unit "$VELARMON_BUILD/native" -j2 --repeat until-pass:2
# Wine tests share one prefix, registry and desktop: one at a time. They time
# real exchanges, so a suite that fails is run once more as well.
run_layer windows "$VELARMON_BUILD/win" -L win --repeat until-pass:2
# An end-to-end module that fails is run once more before it counts as
# failed; the evidence of the first failure stays in build/e2e/.
run_layer e2e "$VELARMON_BUILD/win" -L e2e --repeat until-pass:2

echo "velarmon: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
