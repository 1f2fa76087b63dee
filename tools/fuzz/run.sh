#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan, UBSan) and runs each for a while, one
# at a time, over its seeds; prints one table of executions, edges and
# findings per target and writes it to $VELARMON_BUILD/fuzz-results.md.
#
#   tools/fuzz/run.sh [-runs N] [-max_len BYTES] SECONDS [TARGET...]
#
# Each target stops after SECONDS, or after N executions when -runs is given
# (whichever comes first), or at its first finding. -max_len caps the inputs'
# length (libFuzzer's default is 4096 bytes). New inputs and the
# findings' inputs stay under $VELARMON_BUILD/fuzz-runs/<target>/; the seed
# folders in the tree are only read.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${VELARMON_BUILD:-$root/build}
options=()
while [ "${1:-}" = -runs ] || [ "${1:-}" = -max_len ]; do
    options+=("$1=$2")
    shift 2
done
seconds=${1:?usage: tools/fuzz/run.sh [-runs N] [-max_len BYTES] SECONDS [TARGET...]}
shift

tree=$build/fuzz
if [ ! -f "$tree/build.ninja" ]; then
    cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELARMON_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$tree" -j2 >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/tests/fuzz/*Fuzz.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

table="| target | executions | edges | findings | exec/s | seconds |"$'\n'"|---|---:|---:|---:|---:|---:|"
printf '%-22s %12s %6s %8s %8s %7s\n' target executions edges findings exec/s seconds
for target in "${targets[@]}"; do
    work=$build/fuzz-runs/$target
    rm -rf "$work/corpus"
    mkdir -p "$work/corpus" "$work/findings"
    before=$(ls "$work/findings" | wc -l)
    start=$(date +%s)
    # A finding ends the run with a non-zero status; the table says so.
    "$tree/tests/fuzz/$target" -max_total_time="$seconds" "${options[@]}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/corpus" "$root/tests/fuzz/corpus/$target" \
        >"$work/log.txt" 2>&1 || true
    elapsed=$(( $(date +%s) - start ))
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log.txt" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log.txt" | tail -1)
    edges=$(grep -o 'cov: [0-9]*' "$work/log.txt" | tail -1 | cut -d' ' -f2)
    findings=$(( $(ls "$work/findings" | wc -l) - before ))
    printf '%-22s %12s %6s %8s %8s %7s\n' "$target" "${executions:-?}" "${edges:-?}" "$findings" "${speed:-?}" "$elapsed"
    table+=$'\n'"| $target | ${executions:-?} | ${edges:-?} | $findings | ${speed:-?} | $elapsed |"
done
printf '%s\n' "$table" >"$build/fuzz-results.md"
