#!/usr/bin/env bash
# Runs a command in the environment of the test's slot (see env.sh): CTest's
# runner of the end-to-end modules.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
exec "$@"
