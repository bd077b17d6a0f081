#!/usr/bin/env bash
# Runs a cross-built program under Wine in the project's own prefix, creating the
# prefix on first use. Debian does not put wine64 on PATH.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No prompts to install Mono or Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=/usr/lib/wine/wine64

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine" wineboot -i >/dev/null 2>&1
            # Without a window manager each hidden top-level window (a closing
            # message box) otherwise waits two seconds.
            "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
            /usr/lib/wine/wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
fi

services_running() {
    local pid
    for pid in $(pgrep -f 'system32.services\.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

# Wine's server and background services outlive the program they start with
# and inherit its output: under ctest, whose pipe they would hold open, every
# test would wait for them to exit. So they are started here, detached from our
# output, and kept for a minute of idleness.
/usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1 || true
if ! services_running; then
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec "$wine" "$@"
