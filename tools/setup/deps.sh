#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the Russian
# locale Wine must run under. Quiet and quick when everything is there.
set -euo pipefail

PACKAGES=(g++-mingw-w64-x86-64 wine wine64 fonts-wine fonts-liberation xvfb xauth x11-utils
          imagemagick unixodbc unixodbc-dev libsqliteodbc sqlite3 locales cmake ninja-build
          googletest g++ python3 procps)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    echo "Generating the ru_RU.UTF-8 locale"
    as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
