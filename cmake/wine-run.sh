#!/usr/bin/env bash
# Runs a cross-built program under Wine (CMAKE_CROSSCOMPILING_EMULATOR), in the
# project's prefix for tests unless WINEPREFIX names another.
#
#   wine-run.sh [--32-bit] PROGRAM [ARGUMENT...]   --32-bit: in a 32-bit Windows
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
bits=64-bit
purpose=tests
if [ "${1:-}" = --32-bit ]; then
    bits=32-bit purpose=tests32
    shift
fi
export WINEPREFIX=${WINEPREFIX:-$velmora_source/build/wine/$purpose}
wine_environment "$bits"
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
