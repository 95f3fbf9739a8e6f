#!/usr/bin/env bash
# Builds the document engine and prints its benchmark figures and ratios.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build-engine.sh" >/dev/null
unset DISPLAY WAYLAND_DISPLAY
export SAL_USE_VCLPLUGIN=svp
exec timeout -k 10 1800 "$root/build/engine/tessaro-engine-bench"
