# Sourced, not run: sets up the Wine environment OBSC32 runs and is tested in.
# Callers set OBSC32_WINEPREFIX (default: the user's ~/.wine), OBSC32_DESKTOP (WxH, default 1024x768) and
# OBSC32_LANG (default ja_JP.UTF-8, code page 932; en_US.UTF-8 gives 1252).

export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG="${OBSC32_LANG:-ja_JP.UTF-8}" LC_ALL="${OBSC32_LANG:-ja_JP.UTF-8}"
export WINEPREFIX="${OBSC32_WINEPREFIX:-$HOME/.wine}"
OBSC32_DESKTOP="${OBSC32_DESKTOP:-1024x768}"

# Starts an Xvfb of the desktop's size on display $1 unless one answers there already.
obsc32_start_xvfb() {
    local disp="$1"
    export DISPLAY="$disp"
    if xdpyinfo >/dev/null 2>&1; then return 0; fi
    Xvfb "$disp" -screen 0 "${OBSC32_DESKTOP}x24" -nolisten tcp >/dev/null 2>&1 &
    OBSC32_XVFB_PID=$!
    obsc32_wait_display Xvfb "$disp"
}

# Waits until the X server just started on $DISPLAY answers (10 s at most).
obsc32_wait_display() {
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "$1 did not start on $2" >&2
    return 1
}

# What any prefix the program runs in needs, the user's as much as the tests': made if missing, and Marlett.
obsc32_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # This Wine reads fonts only from C:\windows\Fonts and its prefixes get none of its own (Debian ships them
    # apart, in fonts-wine): without Marlett the frames' buttons show letters. Only Marlett, so text keeps its
    # metrics.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$marlett" ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        ln -s "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    fi
}

# The test prefix starts every program in one virtual desktop with a tray, as it runs no explorer of its own.
obsc32_test_desktop() {
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$OBSC32_DESKTOP" /f >/dev/null 2>&1
    wineserver -w
}

# A new prefix links Desktop, Documents... to the home folder; the test prefix gets folders of its own, as
# tests write shortcuts there. Never called for the user's prefix.
obsc32_own_user_folders() {
    local d
    for d in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
        if [ -L "$d" ]; then rm "$d" && mkdir "$d"; fi
    done
}

# The test environment: a prefix under the build folder, our own Xvfb of the desktop's size, one process
# kept alive so the desktop and its tray last the whole run. Call obsc32_test_env_down when done.
obsc32_test_env_up() {
    local root="$1"
    # A prefix per language: Wine keeps the first one's settings in it.
    export OBSC32_WINEPREFIX="$root/build/win/wineprefix${OBSC32_LANG:+-$OBSC32_LANG}"
    export WINEPREFIX="$OBSC32_WINEPREFIX"
    unset DISPLAY
    obsc32_start_xvfb ":${OBSC32_TEST_DISPLAY:-91}"
    obsc32_prepare_prefix
    obsc32_test_desktop
    obsc32_own_user_folders
    obsc32_test_drive_without_disc "$root"
    # The screen at the system's DPI: a run cut short may have left ScaledScreen's 144 behind.
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
    wine "$root/build/win/keepalive.exe" &
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && wine reg query 'HKCU\Software\Wine' >/dev/null 2>&1 && break
        sleep 0.1
    done
}

# The folder picker's tests meet a CD-ROM drive with no disc in it: M: leads to a folder that does not exist.
# The mount manager reads the drive's kind as the prefix starts, so this comes before any program runs.
obsc32_test_drive_without_disc() {
    ln -sfn "$1/build/win/no-disc" "$WINEPREFIX/dosdevices/m:"
    grep -q '^"m:"="cdrom"' "$WINEPREFIX/system.reg" 2>/dev/null && return 0
    wine reg add 'HKLM\Software\Wine\Drives' /v m: /d cdrom /f >/dev/null 2>&1
    wineserver -w
}

# The two-monitor set-up: Xephyr with an 800x600 and a 640x480 screen side by side, joined by Xinerama, inside
# an Xvfb of its own (display $OBSC32_TEST_DISPLAY_2MON, Xephyr on that number + 100). Wine runs without its
# virtual desktop (which has one monitor) and without XRandR, so it takes the monitors from Xinerama.
obsc32_test_env_2mon_up() {
    local root="$1" host="${OBSC32_TEST_DISPLAY_2MON:-92}"
    shift
    export OBSC32_WINEPREFIX="$root/build/win/wineprefix-2mon"
    export WINEPREFIX="$OBSC32_WINEPREFIX"
    OBSC32_DESKTOP=1440x600 obsc32_start_xvfb ":$host"
    obsc32_start_xephyr ":$((host + 100))" "$@"
    obsc32_prepare_prefix
    # Read as the session's desktop starts: the next one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
    wineserver -w
    obsc32_own_user_folders
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
    wine "$root/build/win/keepalive.exe" &
    for _ in $(seq 1 100); do
        wine reg query 'HKCU\Software\Wine' >/dev/null 2>&1 && break
        sleep 0.1
    done
}

# (Re)starts Xephyr on display $1 with the screens given after it (default: the two side by side) inside the
# current DISPLAY, and makes it the DISPLAY. The Xvfb and the Xephyr are ours only when we started them.
obsc32_start_xephyr() {
    local disp="$1"
    shift
    local screens=("$@")
    [ ${#screens[@]} -gt 0 ] || screens=(800x600+0+0 640x480+800+0)
    export OBSC32_XEPHYR_HOST="${OBSC32_XEPHYR_HOST:-$DISPLAY}"
    if [ -n "${OBSC32_XEPHYR_PID:-}" ]; then
        kill "$OBSC32_XEPHYR_PID" 2>/dev/null || true
        while kill -0 "$OBSC32_XEPHYR_PID" 2>/dev/null; do sleep 0.1; done
    fi
    local args=()
    for s in "${screens[@]}"; do args+=(-screen "$s"); done
    DISPLAY="$OBSC32_XEPHYR_HOST" Xephyr "$disp" "${args[@]}" +xinerama -nolisten tcp >/dev/null 2>&1 &
    OBSC32_XEPHYR_PID=$!
    export DISPLAY="$disp"
    obsc32_wait_display Xephyr "$disp"
}

obsc32_test_env_down() {
    wineserver -k 2>/dev/null || true
    if [ -n "${OBSC32_XEPHYR_PID:-}" ]; then kill "$OBSC32_XEPHYR_PID" 2>/dev/null || true; fi
    if [ -n "${OBSC32_XVFB_PID:-}" ]; then kill "$OBSC32_XVFB_PID" 2>/dev/null || true; fi
}
