#!/usr/bin/env bash
# Runs end-to-end scenarios with Wine's exception trace on and fails on any access violation: Wine swallows
# faults inside window procedures that Windows would not. Usage: seh-check.sh <e2e_tests.exe> <gtest filter>
# Run from CTest inside the test environment (scripts/test.sh), which has the prefix and display ready.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
export WINEDEBUG=+seh
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
wine "$1" --gtest_filter="$2" >"$log" 2>&1
status=$?
faults=$(grep -c 'EXCEPTION_ACCESS_VIOLATION' "$log")
grep -E '^\[ +(RUN|OK|FAILED|PASSED) +\]' "$log"
echo "access violations logged: $faults"
if [ "$faults" -ne 0 ]; then
    grep -B2 -A6 'EXCEPTION_ACCESS_VIOLATION' "$log" | head -60
    exit 1
fi
exit $status
