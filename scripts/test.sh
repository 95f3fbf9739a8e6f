#!/usr/bin/env bash
# Sets up everything a fresh Debian 12 machine needs, builds, and runs every
# test: the Windows side under Wine (at 96 and again at 120 DPI for the window
# layouts), then the document engine's tests. Honours WINEPREFIX and DISPLAY
# when they are set.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

setup_all
# The robustness suite's two halves leave their figures here; stale ones would mislead.
ROBUSTNESS_FIGURES=("$WIN_BUILD/robustness-server.txt" "$BUILD/engine/robustness-engine.txt")
rm -f "${ROBUSTNESS_FIGURES[@]}"

# Window tests run inside one Wine virtual desktop: no window manager is
# needed, and destroying windows is fast.
test_settings() {
  import_reg "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
\"Desktop\"=\"Default\"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
\"Default\"=\"1280x1024\"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
\"LogPixels\"=dword:$1" || die "cannot configure the test prefix"
  stop_wineserver
}

PREFIXES=()
cleanup() {
  local prefix
  for prefix in "${PREFIXES[@]}"; do WINEPREFIX=$prefix stop_wineserver; done
  stop_xvfb
}
trap cleanup EXIT
start_xvfb_unless_display

# A persistent, warmed-up wineserver makes each test process start in a
# fraction of a second. Without the engine, the Word server's tests cannot run.
run_ctest() {
  wineserver -p
  timeout -k 5 60 wine "$WIN_BUILD/tests/support/find-window.exe" </dev/null >/dev/null 2>&1 || true
  local skip=()
  [ "${TESSARO_SKIP_ENGINE:-0}" = 1 ] && skip=(-LE server)
  (cd "$WIN_BUILD" && ctest --output-on-failure --timeout 180 "${skip[@]}" "$@")
}

# The Word calls of the program reach our server in the main test prefix;
# the 120-DPI prefix stays without any "Word.Application", so the window
# tests there also see the program on a machine where Word cannot start.
prepare_prefix() {
  [ "${TESSARO_SKIP_ENGINE:-0}" = 1 ] || [ "${2:-}" = no-word ] || register_word_server
  test_settings "$1"
}

# Registering our server must never displace a Word that is already there.
check_foreign_word_kept() {
  local word='{000209FF-0000-0000-C000-000000000046}' key='HKLM\Software\Classes\Word.Application'
  import_reg "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Word.Application\\CLSID]
@=\"$word\"" || die "cannot prepare the registration check"
  register_word_server
  local answer=$BUILD/word-class-after.txt
  timeout -k 5 60 wine reg query "$key\\CLSID" /ve </dev/null >"$answer" 2>/dev/null || true
  grep -q "$word" "$answer" || die "register_word_server replaced another Word.Application"
  timeout -k 5 60 wine reg delete "$key" /f </dev/null >/dev/null 2>&1 || die "cannot remove the check's registration"
}

if [ -n "${WINEPREFIX:-}" ]; then
  configure_prefix
  PREFIXES+=("$WINEPREFIX")
  prepare_prefix 00000060
  log "Windows tests in $WINEPREFIX on $DISPLAY"
  run_ctest
else
  export WINEPREFIX=$BUILD/wine-test
  clone_prefix "$WINEPREFIX"
  PREFIXES+=("$WINEPREFIX")
  prepare_prefix 00000060
  log "Windows tests at 96 DPI on $DISPLAY"
  run_ctest

  # Everything placed in twips must scale with the screen.
  export WINEPREFIX=$BUILD/wine-test-120
  clone_prefix "$WINEPREFIX"
  PREFIXES+=("$WINEPREFIX")
  [ "${TESSARO_SKIP_ENGINE:-0}" = 1 ] || check_foreign_word_kept
  prepare_prefix 00000078 no-word
  log "window tests at 120 DPI"
  run_ctest -R 'Window'
fi

log "installer and portable zip"
"$ROOT/scripts/test-package.sh"

# TESSARO_SKIP_ENGINE=1 leaves the engine out while iterating on the Windows side.
if [ "${TESSARO_SKIP_ENGINE:-0}" != 1 ]; then
  log "document engine tests"
  "$ROOT/scripts/test-engine.sh"
  # Figures only, never a verdict: the machine is shared and noisy.
  log "document engine benchmark"
  "$ROOT/scripts/bench-engine.sh"
fi

# The robustness suite's figures: bad inputs and faults tried, and what
# they left behind.
for figures in "${ROBUSTNESS_FIGURES[@]}"; do
  if [ -f "$figures" ]; then log "robustness: $(cat "$figures")"; fi
done
