# Sourced by the build and test scripts: where the build keeps its Wine prefix,
# its COM-port links, its ODBC registration and its database, and the
# environment every Wine process of the project runs with.
VELARMON_ROOT=${VELARMON_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
VELARMON_BUILD=${VELARMON_BUILD:-$VELARMON_ROOT/build}
export VELARMON_ROOT VELARMON_BUILD
export WINEPREFIX=$VELARMON_BUILD/wine/prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko download prompts: the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine takes its ANSI code page from the locale: ru_RU gives 1251.
export LC_ALL=ru_RU.UTF-8
export ODBCSYSINI=$VELARMON_BUILD/odbc
export VELARMON_DB_DIR=${VELARMON_DB_DIR:-$VELARMON_BUILD/db}
export VELARMON_PORTS=$VELARMON_BUILD/ports
