#!/usr/bin/env bash
# Builds the Windows installer (MSI) and the portable zip of Tessaro on a
# fresh Debian 12 machine and prints their paths.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-package.sh"

mkdir -p "$BUILD"
ensure_packages "$ROOT"/scripts/packages/windows.txt
build_windows
build_packages
echo "$MSI_PATH"
echo "$ZIP_PATH"
