#!/usr/bin/env bash
# Installs what building and running OBSC32 under Wine and fuzzing its parsers need on Debian 12 (run as
# root).
# Does nothing when everything is already there, so the run and test commands can call it every time.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# fonts-wine: Wine's own fonts (Marlett draws the window frames' close box); the cross compiler with both
# thread models (the program is built on the win32 one, the tests on the posix one); lld links OBSC32.EXE,
# with import libraries for delayed loading made by llvm-14's llvm-dlltool; clang and its runtime build the
# fuzz targets. Xephyr gives the two-monitor tests their two screens, which the 32-bit Wine reads through
# Xinerama.
for p in wine wine32:i386 wine64 fonts-wine xvfb xserver-xephyr libxinerama1:i386 xauth fonts-ipafont-gothic locales cmake ninja-build \
         g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 mingw-w64-i686-dev lld llvm-14 googletest g++ clang-format clang \
         libclang-rt-14-dev x11-utils x11-apps imagemagick python3; do
    have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "missing packages: ${need[*]} (run as root, or install them)" >&2
        exit 1
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# Japanese for every run; US English for the tests that run once more in a Western code page.
for loc in ja_JP en_US; do
    locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8\$" && continue
    if [ "$(id -u)" = 0 ]; then
        sed -i "s/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
        locale-gen >/dev/null
    else
        echo "the $loc.UTF-8 locale is missing (run as root once)" >&2
        exit 1
    fi
done
