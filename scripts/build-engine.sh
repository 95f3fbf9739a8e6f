#!/usr/bin/env bash
# Configures and builds the LibreOffice-backed document engine (native g++)
# into build/engine. Safe to rerun: the UNO headers are generated once and
# make rebuilds only what changed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/engine"
mkdir -p "$build"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root/engine" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
