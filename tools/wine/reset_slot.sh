#!/usr/bin/env bash
# Run before each test in a slot: ends whatever the slot's previous test left
# running in its prefix and puts back the registry the slot was made with, so
# that no setting a test wrote (a port, a window place) reaches the next; a
# data folder the program made in the prefix's Documents goes too.
# Without a slot it does nothing.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
[ -n "${VELARMON_SLOT:-}" ] || exit 0
pristine=$VELARMON_WORK/wine/registry
[ -d "$pristine" ] || exit 0
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
cp -p "$pristine"/*.reg "$WINEPREFIX"/
rm -rf "$WINEPREFIX/drive_c/users/$(id -un)/Documents/VelarMon"
exit 0
