#!/usr/bin/env bash
# Runs one fuzz target for a second over its seeds: target, scratch
# folder (new inputs go there), seed folder, folder for a finding's input.
# Fails when the target finds anything.
set -euo pipefail
target=$1 scratch=$2 seeds=$3 findings=$4
rm -rf "$scratch"
mkdir -p "$scratch" "$findings"
exec "$target" -max_total_time="${FUZZ_SECONDS:-1}" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$scratch" "$seeds"
