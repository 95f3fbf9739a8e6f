#!/usr/bin/env bash
# Prints the split's figures in one run: 200 and 1,000 pages in one and in
# two offices, the floor of storing every page file once, the ratios, the
# second office's speed-up, the offices' peak memory and where each
# millisecond of a page goes; then the same 200-page split through
# "Word.Application" against the engine alone (scripts/bench-server.sh).
# Arguments go to the engine benchmark: other page counts, --check to
# compare every page file with its source page. BENCH_COM=0 leaves out the
# comparison through the Word server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build-engine.sh" >/dev/null
(
  unset DISPLAY WAYLAND_DISPLAY
  export SAL_USE_VCLPLUGIN=svp
  exec timeout -k 10 7200 "$root/build/engine/tessaro-split-bench" "$@"
)
[ "${BENCH_COM:-1}" = 0 ] || "$root/scripts/bench-server.sh"
