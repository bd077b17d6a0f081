#!/usr/bin/env bash
# Runs a cross-built program under Wine, in the project's prefix for tests
# unless WINEPREFIX names another (CMAKE_CROSSCOMPILING_EMULATOR).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
export WINEPREFIX=${WINEPREFIX:-$velmora_source/build/wine/tests}
wine_environment
create_wine_prefix

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
"$wineserver" -p60 </dev/null >/dev/null 2>&1 || true
if ! services_running; then
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec "$wine" "$@"
