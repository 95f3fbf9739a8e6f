#!/usr/bin/env bash
# Builds the document engine and runs its tests (CTest label "engine").
# Every test bounds its own waits; ctest's timeout bounds each test binary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build-engine.sh"
cd "$root/build/engine"
# LibreOffice must never reach for a display, whatever the caller has.
unset DISPLAY WAYLAND_DISPLAY
export SAL_USE_VCLPLUGIN=svp
exec ctest --output-on-failure --timeout 600 -L engine
