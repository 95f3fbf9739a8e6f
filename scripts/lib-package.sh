# Builds the installer and the portable zip. Source it after lib.sh; the
# Windows build must be there.

PACKAGING=$ROOT/packaging
PACKAGE_DIR=$BUILD/packages
# What both packages ship: the built program without its debugging
# information, which is most of its size.
SHIPPED_PROGRAM=$PACKAGE_DIR/program/Tessaro.exe

# The version the Windows build was configured with: the project's one number.
built_version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN_BUILD/CMakeCache.txt"
}

# build_msi VERSION OUT.msi: the installer of the shipped program (made by
# build_packages), labelled VERSION. Each version gets a product code of its
# own, always the same one for the same version, so a rebuild of a version is
# that version again and never a second entry in 程序和功能.
build_msi() {
  local version=$1 out=$2 stage
  stage=$(mktemp -d)
  # wixl takes its source files by names relative to where it runs.
  cp "$SHIPPED_PROGRAM" "$ROOT/res/tessaro.ico" "$stage/"
  local upgrade_code product_code
  upgrade_code=$(grep -o 'UpgradeCode="{[^}]*}"' "$PACKAGING/tessaro.wxs" | grep -o '[0-9A-F-]\{36\}')
  product_code=$(python3 -c 'import sys, uuid
print("{%s}" % str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$upgrade_code" "$version")
  # wixl writes the database's strings in the code page it guesses from
  # WINDOWS_LANGUAGE (Chinese text is lost in any other), and leaves the
  # database without one; installers read an unmarked database in the
  # machine's ANSI code page, so mark it as Simplified Chinese (936).
  printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$stage/_ForceCodepage.idt"
  mkdir -p "$(dirname "$out")"
  if ! (cd "$stage" && export WINDOWS_LANGUAGE=zh_CN &&
    wixl --arch x64 -D Version="$version" -D ProductCode="$product_code" \
      -D ProgramFile=Tessaro.exe -D IconFile=tessaro.ico -o "$out" "$PACKAGING/tessaro.wxs" &&
    msibuild "$out" -i _ForceCodepage.idt) >"$BUILD/wixl.log" 2>&1; then
    cat "$BUILD/wixl.log"
    rm -rf "$stage"
    die "cannot build the installer"
  fi
  rm -rf "$stage"
}

# build_zip OUT.zip: the program and its read-me, ready to run where unpacked.
# Names are stored as UTF-8 and flagged so, or Windows shows the read-me's
# Chinese name garbled.
build_zip() {
  local out=$1
  mkdir -p "$(dirname "$out")"
  rm -f "$out"
  python3 - "$out" "$SHIPPED_PROGRAM" "$PACKAGING/使用说明.txt" <<'PY' || die "cannot build the zip"
import os, sys, zipfile
out, *files = sys.argv[1:]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
    for path in files:
        archive.write(path, os.path.basename(path))
PY
}

# Builds both packages of the built version into $PACKAGE_DIR and sets
# MSI_PATH and ZIP_PATH.
build_packages() {
  local version
  version=$(built_version)
  [ -n "$version" ] || die "no version in the Windows build"
  MSI_PATH=$PACKAGE_DIR/Tessaro-$version.msi
  ZIP_PATH=$PACKAGE_DIR/Tessaro-$version-portable.zip
  mkdir -p "$(dirname "$SHIPPED_PROGRAM")"
  x86_64-w64-mingw32-strip -o "$SHIPPED_PROGRAM" "$WIN_BUILD/Tessaro.exe" || die "cannot strip the program"
  build_msi "$version" "$MSI_PATH"
  build_zip "$ZIP_PATH"
}
