#!/usr/bin/env bash
# Builds the Windows side and prints what a skinned command button costs: one
# paint next to one plain copy of the same size, and the processor time of a
# whole fade.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

setup_all
export WINEPREFIX=$BUILD/wine-bench
[ -f "$WINEPREFIX/system.reg" ] || clone_prefix "$WINEPREFIX"
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb_unless_display
wineserver -p
timeout -k 5 300 wine "$WIN_BUILD/tests/skin/skin-bench.exe" </dev/null >"$BUILD/bench-skin.txt" 2>&1 ||
  { cat "$BUILD/bench-skin.txt"; die "benchmark failed"; }
tr -d '\r' <"$BUILD/bench-skin.txt"
