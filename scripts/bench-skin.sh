#!/usr/bin/env bash
# Builds the Windows side and prints what a skinned command button costs: one
# paint next to one plain copy of the same size, and the processor time of a
# whole fade.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

run_windows_bench skin "$WIN_BUILD/bench/skin-bench.exe" 300
