#!/usr/bin/env bash
# Builds the installer and the portable zip and tries them in a fresh Wine
# prefix the way an IT department and a user would: a silent install after
# which the program starts; a newer installer that upgrades in place and an
# older one that is refused; the uninstall command of 程序和功能, after which
# nothing is left; the zip's program started from a folder whose path has
# Chinese characters and spaces. Honours DISPLAY.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-package.sh"

TESSARO_SKIP_ENGINE=1 setup_all
build_packages
version=$(built_version)
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
newer_msi=$BUILD/package-test/Tessaro-$newer.msi
build_msi "$newer" "$newer_msi"

export WINEPREFIX=$BUILD/wine-package
clone_prefix "$WINEPREFIX"
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb_unless_display
wineserver -p

log=$BUILD/package-test.log
: >"$log"
# The checks run inside the prefix and take Windows paths.
installed='C:\Program Files\Tessaro\Tessaro.exe'
portable_dir='C:\users\Public\文档 资料\Tessaro 便携版'
portable_unix="$WINEPREFIX/drive_c/users/Public/文档 资料/Tessaro 便携版"
# Files outside the prefix are on drive Z:, the Linux root.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

msiexec_quiet() {
  timeout -k 5 300 wine msiexec "$@" /qn </dev/null >>"$log" 2>&1
}

# checks FILTER [NAME=VALUE...]: one group of the package checks, with what
# it expects in its environment.
checks() {
  local filter=$1 out=$BUILD/package-check.txt
  shift
  # A filter that selects nothing passes too: count what ran.
  if ! env "$@" timeout -k 5 300 wine "$WIN_BUILD/tests/package/package-check.exe" \
    --gtest_filter="$filter" </dev/null >"$out" 2>&1 || ! tr -d '\r' <"$out" | grep -q 'PASSED  \] [1-9]'; then
    tr -d '\r' <"$out"
    die "package checks $filter failed (installer log: $log)"
  fi
}

log "installing $(basename "$MSI_PATH") silently"
msiexec_quiet /i "$(windows_path "$MSI_PATH")" || die "silent install failed (see $log)"
checks 'Installed.*:PackagedProgram.*' TESSARO_VERSION="$version" TESSARO_PROGRAM="$installed"

log "upgrading to $newer"
msiexec_quiet /i "$(windows_path "$newer_msi")" || die "upgrade to $newer failed (see $log)"
checks 'Installed.*' TESSARO_VERSION="$newer"

log "an older installer must be refused"
msiexec_quiet /i "$(windows_path "$MSI_PATH")" && die "the older installer replaced $newer"
checks 'Installed.*' TESSARO_VERSION="$newer"

log "uninstalling through the uninstall entry"
checks 'Uninstall.*'

log "starting the portable program"
python3 - "$ZIP_PATH" "$portable_unix" <<'PY' || die "the portable zip is not as it should be"
import sys, zipfile
archive, target = sys.argv[1:]
with zipfile.ZipFile(archive) as z:
    names = sorted(info.filename for info in z.infolist())
    assert names == ["Tessaro.exe", "使用说明.txt"], names
    # Without the UTF-8 flag Windows reads the name in its OEM code page.
    assert all(info.flag_bits & 0x800 for info in z.infolist() if not info.filename.isascii())
    readme = z.read("使用说明.txt")
    assert readme.startswith(b"\xef\xbb\xbf"), "read-me without a byte-order mark"
    readme.decode("utf-8")
    z.extractall(target)
PY
checks 'PackagedProgram.*' TESSARO_VERSION="$version" TESSARO_PROGRAM="$portable_dir\\Tessaro.exe"
log "packages checked: $MSI_PATH $ZIP_PATH"
