#!/bin/sh
# Registers the ODBC shim under the Access driver's name in a folder of its
# own, so that unixODBC finds it when ODBCSYSINI points at that folder.
#   register_driver.sh <odbcsysini-dir> <shim.so>
set -eu
if [ $# -ne 2 ]; then
    echo "usage: $0 <odbcsysini-dir> <shim.so>" >&2
    exit 2
fi
dir=$1
shim=$2
if [ ! -f "$shim" ]; then
    echo "$0: no such library: $shim" >&2
    exit 1
fi
mkdir -p "$dir"
shim=$(cd "$(dirname "$shim")" && pwd)/$(basename "$shim")

# Written to a temporary file and moved, so a reader never sees half of it.
tmp=$(mktemp "$dir/.odbcinst.XXXXXX")
cat >"$tmp" <<INI
[Microsoft Access Driver (*.mdb)]
Description=SQLite database files under the Access driver's name
Driver=$shim
UsageCount=1
INI
mv -f "$tmp" "$dir/odbcinst.ini"
: >"$dir/odbc.ini"
