#!/usr/bin/env bash
# Builds the distribution folder build/win/dist if needed and starts its OBSC32.EXE under Wine in the user's
# Wine prefix ($WINEPREFIX or ~/.wine), inside a Wine virtual desktop the size of the display, so the tray, screen capture and wallpaper
# behave as on Windows. Without a display it runs on a virtual X display and saves screenshots.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup-deps.sh
cmake --preset win >/dev/null
cmake --build --preset win --target dist

export OBSC32_WINEPREFIX="${WINEPREFIX:-$HOME/.wine}"
source scripts/wine-env.sh

shot_dir=""
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    OBSC32_DESKTOP=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
else
    OBSC32_DESKTOP=1024x768
    obsc32_start_xvfb ":${OBSC32_RUN_DISPLAY:-95}"
    shot_dir="$root/build/run"
    mkdir -p "$shot_dir"
    trap '[ -n "${OBSC32_XVFB_PID:-}" ] && kill "$OBSC32_XVFB_PID" 2>/dev/null' EXIT
fi

[ -f "$WINEPREFIX/system.reg" ] || echo "Creating the Wine prefix $WINEPREFIX (once, about 15 s)..."
obsc32_prepare_prefix

echo "Starting build/win/dist/OBSC32.EXE in a ${OBSC32_DESKTOP} Wine virtual desktop (prefix $WINEPREFIX)."
# Named "shell" so it has a taskbar with a tray; nothing is written into the prefix for it.
# From the distribution folder, so a first start's setup window finds the guide and the help file to install.
wine explorer "/desktop=shell,${OBSC32_DESKTOP}" "$root/build/win/dist/OBSC32.EXE" "$@" &
pid=$!

if [ -n "$shot_dir" ]; then
    echo "No X display: running on a virtual one. A screenshot is saved every 5 seconds to"
    echo "  $shot_dir/screen.png"
    echo "Stop with Ctrl+C (or: WINEPREFIX=$WINEPREFIX wineserver -k)."
    while kill -0 "$pid" 2>/dev/null; do
        sleep 5
        xwd -root -silent 2>/dev/null | convert xwd:- "$shot_dir/screen.png" 2>/dev/null || true
    done
fi
wait "$pid"
