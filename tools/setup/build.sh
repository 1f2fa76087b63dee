#!/usr/bin/env bash
# Builds the three trees and prepares what the program and the tests run against:
# the Wine prefix, the ODBC driver registration and the database template.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tools/wine/env.sh"
cd "$root"

log=$VELARMON_BUILD/build.log
mkdir -p "$VELARMON_BUILD"
: >"$log"

configure() {  # dir, extra args...
    local dir=$1; shift
    [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >>"$log" 2>&1
}
build() {
    if ! cmake --build "$1" -j2 >>"$log" 2>&1; then
        echo "Build failed in $1; the end of $log:" >&2
        tail -40 "$log" >&2
        exit 1
    fi
}

configure "$VELARMON_BUILD/native"
configure "$VELARMON_BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
# The fuzz targets over the core: clang with libFuzzer, ASan and UBSan.
configure "$VELARMON_BUILD/fuzz" -DVELARMON_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
build "$VELARMON_BUILD/native"
build "$VELARMON_BUILD/win"
build "$VELARMON_BUILD/fuzz"

"$root/tools/wine/prepare_prefix.sh"
"$root/tools/odbc/register_driver.sh" "$ODBCSYSINI" "$VELARMON_BUILD/native/tools/odbcshim/libvelarmon_odbcshim.so"
# The template database is made again when the schema changed.
if [ ! -f "$VELARMON_DB_DIR/velarmon.mdb" ] || [ "$root/db/schema.sql" -nt "$VELARMON_DB_DIR/velarmon.mdb" ]; then
    "$root/tools/odbc/make_database.sh" "$VELARMON_DB_DIR/velarmon.mdb"
fi
