#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, then the Windows tests under Wine
# (in-process and end-to-end) in a Wine prefix of their own, in a 1024x768 virtual desktop.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset win >/dev/null
cmake --build --preset win

export OBSC32_DESKTOP=1024x768
source scripts/wine-env.sh
trap obsc32_test_env_down EXIT
obsc32_test_env_up "$root"

ctest --preset win "$@"
