# Shared by scripts/test and scripts/run: installing what is missing, building, and giving
# Wine a prefix of the build's own and an X display.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$root/build"

wexo_packages=(
    cmake make g++ python3 googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 xvfb xauth locales fonts-ipafont-gothic
)

wexo_install() {
    local missing=()
    for package in "${wexo_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    # The Japanese locale gives Wine the ANSI code page 932.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
        locale-gen >/dev/null
    fi
}

# wexo_build NAME [cmake options...] [--target TARGET...]: configures when the folder is new or was
# configured with other options (kept in wexo-options beside the cache), then builds the targets
# (default: all) incrementally. An option left out since the last time is removed from the cache,
# so it goes back to its default; only another toolchain needs a fresh cache (and a full rebuild).
wexo_build() {
    local name=$1
    shift
    local options=() targets=()
    while (($#)); do
        if [ "$1" = --target ]; then
            shift
            targets=("$@")
            break
        fi
        options+=("$1")
        shift
    done
    local folder="$build/$name" wanted
    wanted=$(printf '%s\n' "${options[@]}")
    if [ ! -f "$folder/CMakeCache.txt" ] || [ "$(cat "$folder/wexo-options" 2>/dev/null)" != "$wanted" ]; then
        local extra=() old
        if [ -f "$folder/wexo-options" ]; then
            while IFS= read -r old; do
                [[ "$old" == -D* ]] || continue
                old=${old#-D}
                old=${old%%=*}
                old=${old%%:*}
                if ! grep -q -E "^-D${old}(:[A-Z]+)?=" <<<"$wanted"; then
                    [ "$old" = CMAKE_TOOLCHAIN_FILE ] && extra=(--fresh) && break
                    extra+=(-U "$old")
                fi
            done <"$folder/wexo-options"
            old=$(grep -E '^-DCMAKE_TOOLCHAIN_FILE=' "$folder/wexo-options")
            [ -z "$old" ] || grep -q -x -F -- "$old" <<<"$wanted" || extra=(--fresh)
        fi
        cmake "${extra[@]}" -S "$root" -B "$folder" "${options[@]}" >/dev/null || return 1
        printf '%s\n' "$wanted" >"$folder/wexo-options"
    fi
    local target_options=()
    ((${#targets[@]})) && target_options=(--target "${targets[@]}")
    cmake --build "$folder" -j "$(nproc)" "${target_options[@]}" -- --no-print-directory |
        grep -v -E '^\[ *[0-9]+%\]|^Consolidate|^-- '
    local built=${PIPESTATUS[0]}
    return "$built"
}

# wexo_build_windows ARCH NAME [cmake options...] [--target TARGET...]: a Release build for Windows.
wexo_build_windows() {
    local arch=$1 name=$2
    wexo_build "$name" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release "${@:3}"
}

wexo_wine() { "$root/scripts/wine-exec" "$WINEPREFIX" "$@"; }

# A prefix made once per build folder, unless WINEPREFIX names one already: that one is the
# user's, and only created if it does not exist yet. wexo_prefix FOLDER makes (once) and uses the
# prefix in FOLDER instead of build/win64's.
wexo_prefix() {
    if [ $# -eq 0 ] && [ -n "${WINEPREFIX:-}" ]; then
        export WINEPREFIX
        [ -d "$WINEPREFIX" ] || WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 WINEDEBUG=-all wineboot -i >/dev/null 2>&1
        return 0
    fi
    export WINEPREFIX=${1:-$build/win64/wineprefix}
    if [ ! -f "$WINEPREFIX/.wexo-ready-2" ]; then
        echo "Preparing the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 WINEDEBUG=-all wineboot -i >/dev/null 2>&1
        # The window font is named after the Windows font; draw it with the installed Gothic.
        wexo_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
        wexo_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic' /f >/dev/null 2>&1
        # Without a window manager, managed windows take seconds to close and have no frame;
        # Wine then draws the frames itself.
        wexo_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        WINEPREFIX=$WINEPREFIX wineserver -w
        touch "$WINEPREFIX/.wexo-ready-2"
    fi
}

# Starts Xvfb on a free display number and exports DISPLAY.
wexo_start_xvfb() {
    local n
    for n in $(seq 90 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        wexo_xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        export DISPLAY=":$n"
        return 0
    done
    echo "no free X display number" >&2
    return 1
}

wexo_stop_xvfb() {
    [ -n "${wexo_xvfb_pid:-}" ] && kill "$wexo_xvfb_pid" 2>/dev/null || true
}
