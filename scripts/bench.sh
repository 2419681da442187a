#!/usr/bin/env bash
# Benchmarks: prints figures and ratios, never verdicts. Builds what it times first (quick when built).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup-deps.sh || exit 1
{ cmake --preset win >/dev/null && cmake --build --preset win; } || exit 1
# The program once more with its start-up trace, for what each start-up step costs.
{ cmake --preset win -B build/trace -DOBSC32_STARTUP_TRACE=ON >/dev/null &&
    cmake --build build/trace --target OBSC32 >/dev/null; } || exit 1
source scripts/wine-env.sh
own_env=0
if [ -z "${DISPLAY:-}" ] || [ -z "${OBSC32_WINEPREFIX:-}" ]; then
    trap obsc32_test_env_down EXIT
    obsc32_test_env_up "$root"
    own_env=1
fi
# Each benchmark gets a Wine session of its own when the session is ours: a run that adds and removes many tray
# icons leaves Wine's desktop process making every later top-level window several times slower to create.
fresh_session() {
    [ "$own_env" = 1 ] || return 0
    wineserver -k 2>/dev/null
    wineserver -w
    obsc32_test_env_up "$root"
}
win="$root/build/win"

size=$(stat -c %s "$win/OBSC32.EXE")
echo "OBSC32.EXE size: $size bytes ($(( size / 1024 )) KB; target at most 300 KB)"

# The help file, and the help compiler's time to build it from the whole source (a run of the tool, process
# start included; mean of several).
help_size=$(stat -c %s "$win/dist/OBSC32.HLP")
echo "OBSC32.HLP size: $help_size bytes ($(( help_size / 1024 )) KB, $(grep -c '^\.topic ' res/help/OBSC32.hps) topics)"
help_runs="${OBSC32_BENCH_HELPS:-20}"
help_out="$(mktemp -d)"
help_start=$(date +%s%N)
for _ in $(seq "$help_runs"); do "$win/helpc" res/help/OBSC32.hps "$help_out/OBSC32.HLP" || echo "helpc failed"; done
help_end=$(date +%s%N)
rm -rf "$help_out"
echo "help compiler: $(( (help_end - help_start) / help_runs / 1000 )) us per build of the whole help source" \
     "(mean of $help_runs runs)"

# The cover starts only with the installed version stored.
wine reg add 'HKCU\Software\VANTE SOFT32\OBSC32' /v Version /d 12 /f >/dev/null 2>&1
wine "$win/bench/startup_bench.exe" "${OBSC32_BENCH_RUNS:-30}" \
    "$win/OBSC32.EXE" TOBSCURIO32VANTE "$win/bench/minimal_tray.exe" ObscBenchMinimal "$root/build/trace/OBSC32.EXE"
status=$?
fresh_session
wine "$win/bench/memory_bench.exe" "${OBSC32_BENCH_MEMORY_ROUNDS:-3}" "$win/OBSC32.EXE" "$win/bench/minimal_tray.exe" \
    "$win/bench/bare_cover.exe" ||
    status=1
fresh_session
wine "$win/bench/hide_bench.exe" "${OBSC32_BENCH_HIDES:-20}" "$win/OBSC32.EXE" "$win/bench/bare_cover.exe" || status=1
fresh_session
wine "$win/bench/hotkey_bench.exe" "${OBSC32_BENCH_HOTKEYS:-30}" "$win/OBSC32.EXE" "$win/bench/bare_cover.exe" ||
    status=1
fresh_session
wine "$win/bench/mkbox_bench.exe" "${OBSC32_BENCH_BOXES:-1000}" || status=1
fresh_session
wine "$win/bench/faces_bench.exe" || status=1
fresh_session
wine "$win/bench/progman_bench.exe" || status=1
fresh_session
# Run from Z: (the root of the Unix file system), whose label Wine cannot read: it says so once a pick.
wine "$win/bench/picker_bench.exe" "${OBSC32_BENCH_PICKS:-15}" 2> >(grep -v 'FS volume label' >&2) || status=1
fresh_session
# Stores and removes "Version" itself, and puts the product's values back as it found them.
wine "$win/bench/setup_bench.exe" "${OBSC32_BENCH_SETUPS:-10}" "$win/OBSC32.EXE" || status=1
fresh_session
wine "$win/bench/uninstall_bench.exe" "${OBSC32_BENCH_UNINSTALLS:-10}" "$win/OBSC32.EXE" || status=1
# Last, in a set-up of its own at 7680 x 4320: a screen where every screen-sized bitmap shows in the figures.
if [ "$own_env" = 1 ]; then
    obsc32_test_env_down
    while [ -n "${OBSC32_XVFB_PID:-}" ] && kill -0 "$OBSC32_XVFB_PID" 2>/dev/null; do sleep 0.1; done
    unset OBSC32_XVFB_PID
    OBSC32_DESKTOP=7680x4320 obsc32_test_env_up "$root"
    wine reg add 'HKCU\Software\VANTE SOFT32\OBSC32' /v Version /d 12 /f >/dev/null 2>&1
    wine "$win/bench/display_bench.exe" "${OBSC32_BENCH_STORMS:-5}" "$win/OBSC32.EXE" "$win/bench/bare_cover.exe" ||
        status=1
else
    echo "display benchmark: left out, as it needs a set-up of its own at 7680 x 4320"
fi
wine reg delete 'HKCU\Software\VANTE SOFT32' /f >/dev/null 2>&1
exit $status
