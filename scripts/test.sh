#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests and a short fuzz pass, then the Windows tests
# under Wine (in-process and end-to-end) in a Wine prefix of their own, in a 1024x768 virtual desktop, a
# labelled subset of them again in a Western locale, and the two-monitor tests in a prefix on two X screens
# joined by Xinerama.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

# A short fuzz pass: the committed corpora replayed, then a few seconds of new inputs per target, with a
# fixed seed so that a failure repeats (OBSC32_FUZZ_SECONDS=0 skips it).
if [ "${OBSC32_FUZZ_SECONDS:-10}" != 0 ]; then
    scripts/fuzz.sh -t "${OBSC32_FUZZ_SECONDS:-10}" -s 1
fi

cmake --preset win >/dev/null
cmake --build --preset win

export OBSC32_DESKTOP=1024x768
source scripts/wine-env.sh
trap obsc32_test_env_down EXIT
obsc32_test_env_up "$root"

rc=0
ctest --preset win -LE 'two-monitors|second-locale' "$@" || rc=$?

# Texts, paths, the install and the uninstall once more in a Western locale (code page 1252), in a prefix of
# its own.
obsc32_test_env_down
unset OBSC32_XVFB_PID
export OBSC32_LANG=en_US.UTF-8
source scripts/wine-env.sh
OBSC32_TEST_DISPLAY="${OBSC32_TEST_DISPLAY_1252:-94}" obsc32_test_env_up "$root"
ctest --preset win -L second-locale "$@" || rc=$?
unset OBSC32_LANG
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# The second set-up: two monitors side by side, for the tests labelled two-monitors.
obsc32_test_env_down
unset OBSC32_XVFB_PID OBSC32_XEPHYR_PID
OBSC32_TEST_DISPLAY_2MON="${OBSC32_TEST_DISPLAY_2MON:-92}" obsc32_test_env_2mon_up "$root"
ctest --preset win -L two-monitors "$@" || rc=$?
exit $rc
