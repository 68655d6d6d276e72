# Shared set-up for tools/test, tools/run and tools/bench: packages, the Wine prefix, a display.
# Source it; it defines functions and exports the Wine environment.

VANTERO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export VANTERO_ROOT

# Packages a fresh Debian machine needs; installed only when something is missing.
vantero_packages=(cmake ninja-build g++ libgtest-dev googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 xvfb xdotool xclip x11-utils imagemagick fonts-wqy-microhei locales python3
    python3-xlib
    clang libclang-rt-14-dev clang-format)

vantero_install_packages() {
    local missing=()
    local p
    for p in "${vantero_packages[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "== installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    # Wine takes its ANSI code page (936) from the Chinese locale, which must exist.
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
        $sudo locale-gen >/dev/null
    fi
}

# The Wine environment every Windows program of the project runs in.
export WINEPREFIX="${VANTERO_WINEPREFIX:-$VANTERO_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
unset LC_ALL LC_CTYPE LANGUAGE
export LANG=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Starts Xvfb unless a display is already given, with tools/wm-state keeping the windows' state
# as a window manager would; both end with the calling shell.
vantero_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    # The server picks a display no live server holds (a stale lock is no obstacle) and names it.
    local number_file n="" i
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    VANTERO_XVFB_PID=$!
    trap 'vantero_stop_display' EXIT
    for i in $(seq 1 50); do
        # Written whole, with its line end.
        if [ "$(wc -l <"$number_file")" -ge 1 ]; then
            n="$(tr -dc '0-9' <"$number_file")"
            break
        fi
        sleep 0.1
    done
    rm -f "$number_file"
    export DISPLAY=":$n"
    for i in $(seq 1 50); do
        if [ -n "$n" ] && xdpyinfo >/dev/null 2>&1; then
            "$VANTERO_ROOT/tools/wm-state" >/dev/null 2>&1 &
            VANTERO_WM_STATE_PID=$!
            return 0
        fi
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

vantero_stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTERO_WM_STATE_PID:-}" ] && kill "$VANTERO_WM_STATE_PID" 2>/dev/null || true
    [ -n "${VANTERO_XVFB_PID:-}" ] && kill "$VANTERO_XVFB_PID" 2>/dev/null || true
}

# Creates the Wine prefix once: Chinese fonts under the names the program asks for.
vantero_init_prefix() {
    if [ -f "$WINEPREFIX/.vantero-ready" ]; then
        return 0
    fi
    echo "== creating Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    local reg="$WINEPREFIX/vantero-fonts.reg"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        local name
        for name in "微软雅黑" "Microsoft YaHei" "宋体" "SimSun" "新宋体" "NSimSun"; do
            printf '"%s"="WenQuanYi Micro Hei"\r\n' "$name"
        done
        printf '\r\n'
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vantero-ready"
}
