#!/usr/bin/env bash
# Starts the prefix's persistent wineserver and Wine's service processes once,
# with their output detached: they outlive the programs and would otherwise
# hold the caller's pipes open. The server may take a pty as its controlling
# terminal and log a lot when that closes, so its output goes to a file.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
log=$VELARMON_BUILD/wine/wineserver.log
if wineserver -p >>"$log" 2>&1 </dev/null; then
    setsid wine cmd /c exit >>"$log" 2>&1 </dev/null
fi
exit 0
