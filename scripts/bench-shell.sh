#!/usr/bin/env bash
# Builds the Windows side and prints how long the contents list takes to show
# a folder of 10,000 files and the tree to expand a folder of 2,000
# subfolders, each next to the bare shell queries for the same items and the
# ratio. The folders are made once in the bench prefix's temp folder; under
# Wine a run takes tens of minutes.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

run_windows_bench shell "$WIN_BUILD/bench/shell-bench.exe" 3600
