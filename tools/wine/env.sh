# Sourced by the build and test scripts: where the build keeps its Wine prefix,
# its COM-port links, its ODBC registration and its database, and the
# environment every Wine process of the project runs with.
#
# A test that CTest gives a slot (a resource "slots" of the resource file that
# tools/wine/slots.sh writes; CTest names it in CTEST_RESOURCE_GROUP_0_SLOTS)
# or that runs with VELARMON_SLOT set gets that slot's own prefix, COM-port
# folder, database folder, work folder and X display: build/slots/<n>/. Tests
# in different slots then share no registry, desktop, port or file.
VELARMON_ROOT=${VELARMON_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
VELARMON_BUILD=${VELARMON_BUILD:-$VELARMON_ROOT/build}
export VELARMON_ROOT VELARMON_BUILD
if [ -z "${VELARMON_SLOT:-}" ] && [[ "${CTEST_RESOURCE_GROUP_0_SLOTS:-}" =~ ^id:([0-9]+), ]]; then
    VELARMON_SLOT=${BASH_REMATCH[1]}
fi
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko download prompts: the program needs neither. No HID or
# USB bus drivers either: they poll for devices hundreds of times a second,
# a twentieth of a core for every running prefix. No menu entries on the
# Linux desktop for the shortcuts an installer makes.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winebus.sys,wineusb.sys,winehid.sys,winemenubuilder.exe=d"
# Wine takes its ANSI code page from the locale: ru_RU gives 1251.
export LC_ALL=ru_RU.UTF-8
export ODBCSYSINI=$VELARMON_BUILD/odbc
if [ -n "${VELARMON_SLOT:-}" ]; then
    export VELARMON_SLOT
    export VELARMON_WORK=$VELARMON_BUILD/slots/$VELARMON_SLOT
    export WINEPREFIX=$VELARMON_WORK/wine/prefix
    export VELARMON_DB_DIR=$VELARMON_WORK/db
    export VELARMON_PORTS=$VELARMON_WORK/ports
    # tools/wine/slots.sh lists one display a slot, in slot order.
    if [ -n "${VELARMON_SLOT_DISPLAYS:-}" ]; then
        read -r -a _displays <<<"$VELARMON_SLOT_DISPLAYS"
        [ -n "${_displays[$VELARMON_SLOT]:-}" ] && export DISPLAY=${_displays[$VELARMON_SLOT]}
        unset _displays
    fi
else
    export VELARMON_WORK=$VELARMON_BUILD
    export WINEPREFIX=$VELARMON_BUILD/wine/prefix
    export VELARMON_DB_DIR=${VELARMON_DB_DIR:-$VELARMON_BUILD/db}
    export VELARMON_PORTS=$VELARMON_BUILD/ports
fi
