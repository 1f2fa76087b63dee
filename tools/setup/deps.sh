#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the Russian
# locale Wine must run under. Quiet and quick when everything is there.
#
# The program is a 32-bit Windows exe (the Access driver it connects through
# exists only for 32-bit processes), so the machine needs Wine's 32-bit side
# and a 32-bit ODBC chain from Debian's i386 architecture.
set -euo pipefail

PACKAGES=(g++-mingw-w64-i686 wine wine64 wine32:i386 fonts-wine fonts-liberation xvfb xauth
          x11-utils imagemagick unixodbc unixodbc-dev libsqliteodbc sqlite3 locales cmake
          ninja-build googletest libgtest-dev g++ gcc-multilib python3 procps clang libclang-rt-14-dev nsis
          libreoffice-calc-nogui python3-vobject python3-icalendar
          libodbc2:i386 libsqliteodbc:i386 unixodbc-dev:i386)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

updated=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture"
    as_root dpkg --add-architecture i386
    updated=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ "$updated" = 1 ]; then
    as_root apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    # libsqliteodbc registers itself with odbcinst while it installs, which
    # fails when ODBCSYSINI points at a folder without an odbcinst.ini.
    as_root env -u ODBCSYSINI -u ODBCINSTINI DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    echo "Generating the ru_RU.UTF-8 locale"
    as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
