#!/usr/bin/env bash
# Builds the document engine and prints the split's figures: 200 and 1,000
# pages in one and in two offices, the floor of storing every page file once,
# the ratios, the second office's speed-up and the offices' peak memory.
# Arguments go to the benchmark: other page counts, --check to compare every
# page file with its source page.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build-engine.sh" >/dev/null
unset DISPLAY WAYLAND_DISPLAY
export SAL_USE_VCLPLUGIN=svp
exec timeout -k 10 7200 "$root/build/engine/tessaro-split-bench" "$@"
