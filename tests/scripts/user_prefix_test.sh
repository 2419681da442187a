#!/usr/bin/env bash
# A user's prefix, made by the same step as the test prefix, gets Marlett (without it the frames' close
# boxes are drawn as letters) and none of the test prefix's own set-up.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export OBSC32_WINEPREFIX="$home/.wine"
source "$root/scripts/wine-env.sh"
# An existing prefix, so that no Wine is needed: only what the step adds to it is looked at.
mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/system.reg"
wine() { echo "wine run: $*" >&2; return 1; }
wineserver() { :; }
obsc32_prepare_prefix
font="$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
[ -r "$font" ] || { echo "no Marlett in the user's prefix" >&2; exit 1; }
