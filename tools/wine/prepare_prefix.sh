#!/usr/bin/env bash
# Makes the build's private Wine prefix: fonts, font replacements, a virtual
# desktop for every process, and COM1-COM16 mapped to link paths in build/ports
# (the phone simulator puts its pty there). A crash ends the crashed process at
# once: Wine prints the exception, its address and thread, and starts no
# debugger that would hold a test until its time-out.
set -euo pipefail
#   prepare_prefix.sh [prefix]    (the build's or the slot's prefix without one)
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
[ $# -gt 0 ] && export WINEPREFIX=$1

# The stamp names the settings' version: a prefix made with older settings is
# prepared again.
stamp=$WINEPREFIX/.velarmon-ready-6
[ -f "$stamp" ] && exit 0

echo "Preparing the Wine prefix in $WINEPREFIX"
mkdir -p "$WINEPREFIX" "$VELARMON_PORTS"
wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w

# Wine links the user's Documents, Desktop and the like to the Unix home
# folder; the program keeps its data in Documents\VelarMon, which must belong
# to this prefix as a Windows profile folder does to its user.
for folder in "$WINEPREFIX/drive_c/users/$(id -un)"/*; do
    if [ -L "$folder" ]; then
        rm "$folder"
        mkdir "$folder"
    fi
done

fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/*.ttf "$fonts"/ 2>/dev/null || true
cp -n /usr/share/fonts/truetype/liberation/*.ttf "$fonts"/ 2>/dev/null || true

reg=$(mktemp --suffix=.reg)
{
    printf 'REGEDIT4\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
    printf '"Arial"="Liberation Sans"\n'
    printf '"Times New Roman"="Liberation Serif"\n'
    printf '"Courier New"="Liberation Mono"\n'
    printf '"Microsoft Sans Serif"="Liberation Sans"\n'
    printf '"MS Sans Serif"="Liberation Sans"\n\n'
    # Every process of the prefix runs in one virtual desktop, so windows get
    # frames and the test driver sees the program's windows.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="1280x800"\n\n'
    # Services Wine starts with every wineserver that neither the program nor
    # the tests use: the event log, networking and Plug and Play. A test
    # starts its slot's server afresh, and they were a third of that cost.
    # (The HID and USB bus drivers are kept out by env.sh.)
    for service in Eventlog NDIS nsiproxy PlugPlay; do
        printf '[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\%s]\n"Start"=dword:00000004\n\n' "$service"
    done
    printf '[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    for n in $(seq 1 16); do
        printf '"COM%d"="%s/COM%d"\n' "$n" "$VELARMON_PORTS" "$n"
    done
} >"$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 </dev/null
rm -f "$reg"
# An empty debugger command cannot start, so an unhandled exception terminates
# the process; Auto=1 asks nothing first. Both registry views of this WoW64
# prefix get it: 32-bit programs (ours among them) read one, 64-bit the other.
aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
for view in /reg:32 /reg:64; do
    wine reg add "$aedebug" /v Debugger /d '' /f "$view" >/dev/null 2>&1 </dev/null
    wine reg add "$aedebug" /v Auto /d 1 /f "$view" >/dev/null 2>&1 </dev/null
done
# The Access driver's setup library (tools/odbcshim/odbcsetup.c): Wine's
# SQLConfigDataSource hands it the request that creates a database file. It
# looks for the driver's "Driver" and "Setup" values, as Windows registers
# them; the SQL side is the shim that unixODBC loads (ODBCSYSINI).
driver='HKLM\Software\ODBC\ODBCINST.INI\Microsoft Access Driver (*.mdb)'
setup=$(winepath -w "$VELARMON_BUILD/win/tools/odbcshim/velarmon_odbcsetup.dll" 2>/dev/null </dev/null)
for view in /reg:32 /reg:64; do
    for value in Driver Setup; do
        wine reg add "$driver" /v "$value" /d "$setup" /f "$view" >/dev/null 2>&1 </dev/null
    done
done
wineserver -w
rm -f "$WINEPREFIX"/.velarmon-ready-*
touch "$stamp"
