#!/usr/bin/env bash
# Runs one Windows test program as wine-run.sh does, with the test prefix's screen at $1 DPI (Wine reads
# HKCU\Control Panel\Desktop "LogPixels" as each process starts), and puts the system's DPI back after.
here="$(cd "$(dirname "$0")" && pwd)"
: "${OBSC32_WINEPREFIX:?run the tests through scripts/test.sh, which prepares the Wine prefix}"
source "$here/../scripts/wine-env.sh"
dpi="$1"
shift
trap 'wine reg delete "HKCU\\Control Panel\\Desktop" /v LogPixels /f >/dev/null 2>&1' EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || exit 1
OBSC32_TEST_DPI="$dpi" "$here/wine-run.sh" "$@"
