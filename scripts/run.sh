#!/usr/bin/env bash
# Sets up everything a fresh Debian 12 machine needs, builds, and starts
# Tessaro. With a display (DISPLAY set) the program opens there; without one it
# runs on a private Xvfb, a screenshot of its main window is saved and its path
# printed, and it keeps running until interrupted. Honours WINEPREFIX.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

setup_all
use_run_prefix
# Without Word in the prefix, "合并" and "分割" go through our server and engine.
[ "${TESSARO_SKIP_ENGINE:-0}" = 1 ] || register_word_server
program=$WIN_BUILD/Tessaro.exe

if [ -n "${DISPLAY:-}" ]; then
  log "starting Tessaro on $DISPLAY (prefix $WINEPREFIX)"
  exec wine "$program"
fi

trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb_unless_display
# Without a window manager the program gets a Wine desktop of its own, which
# draws its caption bar.
desktop=Tessaro,1280x1024
wine explorer "/desktop=$desktop" "$program" </dev/null >"$BUILD/program.log" 2>&1 &
program_pid=$!
shot=$BUILD/screenshots/main-window.png
if capture_window Tessaro "$shot" "$desktop"; then
  echo "screenshot of the main window: $shot"
fi
log "Tessaro is running on private display $DISPLAY (prefix $WINEPREFIX); Ctrl+C ends it"
wait "$program_pid" || true
