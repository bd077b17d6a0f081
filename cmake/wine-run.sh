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

# A lingering wineserver saves seconds per test; it exits on its own when idle.
/usr/lib/wine/wineserver -p30 >/dev/null 2>&1 || true
exec "$wine" "$@"
