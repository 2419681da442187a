#!/usr/bin/env bash
# Runs one Windows program under the test Wine prefix (CTest's cross-compiling emulator).
# scripts/test.sh exports OBSC32_WINEPREFIX and DISPLAY and has the prefix and Xvfb ready.
here="$(cd "$(dirname "$0")" && pwd)"
: "${OBSC32_WINEPREFIX:?run the tests through scripts/test.sh, which prepares the Wine prefix}"
: "${DISPLAY:?no X display: run the tests through scripts/test.sh}"
source "$here/../scripts/wine-env.sh"
# The output goes through a file, handed on once the program has ended: a process started on its behalf
# (Program Manager, Wine's menu builder for a new shortcut) can hold a pipe to CTest open long after.
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
wine "$@" </dev/null >"$out" 2>&1
status=$?
cat "$out"
exit $status
