#!/usr/bin/env bash
# Builds the Windows side and prints how long the contents list takes to show
# a folder of 10,000 files and the tree to expand a folder of 2,000
# subfolders, each next to the bare shell queries for the same items and the
# ratio. The folders are made once in the bench prefix's temp folder; under
# Wine a run takes tens of minutes.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

setup_all
export WINEPREFIX=$BUILD/wine-bench
[ -f "$WINEPREFIX/system.reg" ] || clone_prefix "$WINEPREFIX"
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb_unless_display
wineserver -p
timeout -k 5 3600 wine "$WIN_BUILD/tests/shell/shell-bench.exe" </dev/null >"$BUILD/bench-shell.txt" 2>&1 ||
  { cat "$BUILD/bench-shell.txt"; die "benchmark failed"; }
tr -d '\r' <"$BUILD/bench-shell.txt"
