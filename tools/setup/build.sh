#!/usr/bin/env bash
# Builds the three trees and prepares what the program and the tests run against:
# the Wine prefix, the ODBC driver registration and the database template.
#   tools/setup/build.sh            everything
#   tools/setup/build.sh --wine     what the Windows and end-to-end tests need:
#                                   the MinGW tree and the native ODBC shim
#   tools/setup/build.sh --rest     the rest: the native tree's unit tests and
#                                   the fuzz tree (log build-rest.log)
set -euo pipefail
mode=${1:-all}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tools/wine/env.sh"
cd "$root"

log=$VELARMON_BUILD/build.log
[ "$mode" = --rest ] && log=$VELARMON_BUILD/build-rest.log
mkdir -p "$VELARMON_BUILD"
: >"$log"

configure() {  # dir, extra args...
    local dir=$1; shift
    [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >>"$log" 2>&1
}
build() {  # dir, targets...
    local dir=$1; shift
    if ! cmake --build "$dir" -j2 ${1:+--target "$@"} >>"$log" 2>&1; then
        echo "Build failed in $dir; the end of $log:" >&2
        tail -40 "$log" >&2
        exit 1
    fi
}

configure "$VELARMON_BUILD/native"
if [ "$mode" = --rest ]; then
    build "$VELARMON_BUILD/native"
    # The fuzz targets over the core: clang with libFuzzer, ASan and UBSan.
    configure "$VELARMON_BUILD/fuzz" -DVELARMON_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    build "$VELARMON_BUILD/fuzz"
    exit 0
fi
configure "$VELARMON_BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
# The prefix is made while the trees build: Wine's first boot mostly waits.
"$root/tools/wine/prepare_prefix.sh" &
prefix_made=$!
trap '[ -z "$prefix_made" ] || kill "$prefix_made" 2>/dev/null; true' EXIT
if [ "$mode" = --wine ]; then
    build "$VELARMON_BUILD/native" velarmon_odbcshim
else
    build "$VELARMON_BUILD/native"
fi
build "$VELARMON_BUILD/win"
if [ "$mode" != --wine ]; then
    configure "$VELARMON_BUILD/fuzz" -DVELARMON_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    build "$VELARMON_BUILD/fuzz"
fi

if ! wait "$prefix_made"; then
    echo "The Wine prefix could not be made" >&2
    exit 1
fi
prefix_made=
"$root/tools/odbc/register_driver.sh" "$ODBCSYSINI" "$VELARMON_BUILD/native/tools/odbcshim/libvelarmon_odbcshim.so"
# The template database is made again when the schema changed.
if [ ! -f "$VELARMON_DB_DIR/velarmon.mdb" ] || [ "$root/db/schema.sql" -nt "$VELARMON_DB_DIR/velarmon.mdb" ]; then
    "$root/tools/odbc/make_database.sh" "$VELARMON_DB_DIR/velarmon.mdb"
fi
