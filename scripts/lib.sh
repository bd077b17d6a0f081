# What the scripts share: installing packages, a virtual X server, and Wine.
# Sourced, never run:  source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# shellcheck shell=bash

velmora_source=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
script_name=$(basename "$0")

# The packages each kind of work needs. --no-install-recommends keeps the
# install small, so everything used is named here.
native_build_packages=(cmake ninja-build g++ googletest)
sanitizer_packages=(clang libclang-rt-dev) # libFuzzer and the sanitizer runtimes
# The core for 32-bit x86 Linux, run under qemu-user on any kernel; and the
# locale data for a locale whose decimal separator is a comma.
linux32_packages=(g++-i686-linux-gnu qemu-user)
locale_packages=(locales)
windows_build_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
                        binutils-mingw-w64-x86-64 googletest)
windows32_build_packages=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686)
# fonts-wine holds the symbols Wine draws the title bar's buttons with.
wine_packages=(wine wine64 fonts-wine)
wine32_packages=(wine32:i386) # Wine's 32-bit part, from Debian's i386 architecture
xvfb_packages=(xvfb xauth)
release_packages=(zip unzip)
bench_packages=(hyperfine mawk time valgrind)

# Tests run side by side, one per core; those that share the display take
# turns (RESOURCE_LOCK).
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

step() { printf '\n=== %s\n' "$*"; }
fail() {
    echo "$script_name: $*" >&2
    exit 1
}

# Commands to run when the script ends, the last added first.
exit_commands=()
run_exit_commands() {
    local command
    for command in "${exit_commands[@]}"; do eval "$command" || true; done
}
on_exit() {
    exit_commands=("$*" "${exit_commands[@]}")
    trap run_exit_commands EXIT
}

package_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

# need_packages PACKAGE...: installs those that are missing (root only).
need_packages() {
    local package missing=()
    for package; do package_installed "$package" || missing+=("$package"); done
    [ ${#missing[@]} -gt 0 ] || return 0
    [ "$(id -u)" -eq 0 ] || fail "please install as root: apt-get install ${missing[*]}"
    echo "Installing ${missing[*]}"
    if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# need_locale NAME: generates the UTF-8 locale NAME (de_DE.UTF-8), unless it exists.
need_locale() {
    locale -a | grep -qix "${1%%.*}.utf8" || localedef -i "${1%%.*}" -f UTF-8 "$1"
}

# True where the kernel runs 32-bit x86 programs, as 32-bit Wine is. Some
# kernels are built or booted without it (ia32_emulation=off). Asked after the
# 32-bit packages are installed, as their loader is the program it tries.
runs_32_bit_programs() {
    /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# start_xvfb [WIDTHxHEIGHT]: a virtual X server on a display no other server
# holds, ready for clients when this returns; it stops when the script ends.
start_xvfb() {
    local size=${1:-1280x1024} ready
    ready=$(mktemp)
    # -displayfd: Xvfb picks a free display itself and writes its number once
    # it accepts connections.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    local pid=$!
    on_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -f '$ready'"
    local _
    for _ in $(seq 100); do
        if [ -s "$ready" ]; then
            export DISPLAY=":$(head -n 1 "$ready")"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    fail "the virtual X server did not start"
}

# find_wine [32-bit]: sets $wine and $wineserver to the loader (64-bit, or
# 32-bit) and the server, wherever the installed release keeps them (Debian
# does not put them on PATH).
find_wine() {
    local candidate loaders=(/usr/lib/wine/wine64 /usr/bin/wine64 /usr/lib/wine/wine /usr/bin/wine)
    local servers=(/usr/lib/wine/wineserver64 /usr/lib/wine/wineserver /usr/bin/wineserver)
    if [ "${1:-}" = 32-bit ]; then
        loaders=(/usr/lib/wine/wine /usr/bin/wine)
        servers=(/usr/lib/wine/wineserver32 /usr/lib/wine/wineserver /usr/bin/wineserver)
    fi
    wine=
    for candidate in "${loaders[@]}"; do
        if [ -x "$candidate" ]; then wine=$candidate && break; fi
    done
    wineserver=
    for candidate in "${servers[@]}"; do
        if [ -x "$candidate" ]; then wineserver=$candidate && break; fi
    done
    [ -n "$wine" ] && [ -n "$wineserver" ] || fail "Wine is not installed (see scripts/lib.sh)"
}

# use_wine PURPOSE [desktop] [32-bit]: Wine's environment, with a prefix of the
# project's own for each purpose (tests, tests32, run, run-desktop, bench),
# created on first use. Without "desktop" the prefix draws its own window
# frames, as it must where no window manager runs; with "32-bit" it is a 32-bit
# Windows.
use_wine() {
    local purpose=$1 option desktop=no bits=64-bit
    shift
    for option; do
        case "$option" in
        desktop) desktop=yes ;;
        32-bit) bits=32-bit ;;
        esac
    done
    wine_environment "$bits"
    export WINEPREFIX="$velmora_source/build/wine/$purpose"
    create_wine_prefix "$desktop"
}

# wine_environment [32-bit]: finds Wine and sets what every run of it needs.
wine_environment() {
    find_wine "${1:-}"
    if [ "${1:-}" = 32-bit ]; then export WINEARCH=win32; else unset WINEARCH; fi
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" # no prompts to install Mono or Gecko
    # Wine turns Windows file names into Unix ones in the locale's character
    # set; C.UTF-8 exists on every Debian, whatever the caller has set. A test
    # that needs Windows in another language names its locale in
    # VELMORA_WINE_LOCALE (Wine takes the code page from the name alone).
    export LC_ALL=${VELMORA_WINE_LOCALE:-C.UTF-8}
    unset LANG LANGUAGE
}

# create_wine_prefix [yes]: the prefix $WINEPREFIX, unless it exists; "yes"
# leaves window frames to the window manager.
create_wine_prefix() {
    [ ! -f "$WINEPREFIX/system.reg" ] || return 0
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        [ ! -f "$WINEPREFIX/system.reg" ] || exit 0
        echo "Creating the Wine prefix $WINEPREFIX (once; takes a few seconds)" >&2
        # Without a display: on one, the desktop process it starts outlives wineboot.
        env -u DISPLAY "$wine" wineboot -i >/dev/null 2>&1
        if [ "${1:-no}" != yes ]; then
            # Without a window manager each hidden top-level window (a closing
            # message box) would otherwise wait two seconds.
            env -u DISPLAY "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                >/dev/null 2>&1
        fi
        # Wine 8 draws the title bar's buttons with Marlett but does not look
        # for it among its own fonts; from the prefix's Fonts folder it does.
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        "$wineserver" -w
    ) 9>"$WINEPREFIX.lock"
}

# stop_wine [PURPOSE...]: ends Wine in those prefixes (default: $WINEPREFIX's).
stop_wine() {
    [ -n "${wineserver:-}" ] || find_wine
    if [ $# -eq 0 ]; then
        "$wineserver" -k >/dev/null 2>&1 || true
        return 0
    fi
    local purpose
    for purpose; do
        WINEPREFIX="$velmora_source/build/wine/$purpose" "$wineserver" -k >/dev/null 2>&1 || true
    done
}
