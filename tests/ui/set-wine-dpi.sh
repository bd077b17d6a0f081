#!/usr/bin/env bash
# Sets the DPI of the Wine session in $WINEPREFIX (created on first use) for the
# programs started from now on.
# Usage: set-wine-dpi.sh WINE_RUNNER DPI
set -euo pipefail
"$1" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null
