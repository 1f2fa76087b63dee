#!/bin/sh
# Makes the program's database from db/schema.sql, replacing any file there.
# The schema is UTF-8 in the repository; the database holds code page 1251.
#   make_database.sh <out.mdb>
set -eu
if [ $# -ne 1 ]; then
    echo "usage: $0 <out.mdb>" >&2
    exit 2
fi
out=$1
schema=$(cd "$(dirname "$0")/../.." && pwd)/db/schema.sql
mkdir -p "$(dirname "$out")"

# Built beside the target and moved in place, so a failed run leaves no
# half-made database behind.
tmp=$(mktemp "$out.XXXXXX")
trap 'rm -f "$tmp" "$tmp.sql"' EXIT
iconv -f UTF-8 -t CP1251 "$schema" >"$tmp.sql"
rm -f "$tmp"
sqlite3 -bail "$tmp" <"$tmp.sql"
mv -f "$tmp" "$out"
