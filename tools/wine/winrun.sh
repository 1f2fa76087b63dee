#!/usr/bin/env bash
# Runs a Windows program of the build under the Wine prefix of the test's slot
# (see env.sh; the build's own without one), with a persistent wineserver so
# that each start costs a fraction of a second. In a slot the test first gets
# the slot's registry back and a wineserver of its own. Used by CTest as the
# runner of the Windows tests.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

"$(dirname "${BASH_SOURCE[0]}")/reset_slot.sh"
"$(dirname "${BASH_SOURCE[0]}")/prepare_prefix.sh"
"$(dirname "${BASH_SOURCE[0]}")/start_server.sh"
exec wine "$@" </dev/null 2>&1
