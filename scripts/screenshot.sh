#!/usr/bin/env bash
# screenshot.sh [-t TITLE] [-o OUT.png] [EXE [ARGS...]]
# Starts a Windows program (the built Tessaro.exe by default, or any test
# executable with its arguments) on a private Xvfb, waits for its window titled
# TITLE (default "Tessaro"), writes a PNG of it and ends the program.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

title=Tessaro
out=
while getopts 't:o:' opt; do
  case $opt in
    t) title=$OPTARG ;;
    o) out=$OPTARG ;;
    *) die "usage: screenshot.sh [-t TITLE] [-o OUT.png] [EXE [ARGS...]]" ;;
  esac
done
shift $((OPTIND - 1))

setup_all
use_run_prefix
[ $# -gt 0 ] || set -- "$WIN_BUILD/Tessaro.exe"
out=${out:-$BUILD/screenshots/$(basename "$1" .exe)-$(date +%H%M%S).png}

unset DISPLAY
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb_unless_display
desktop=shot$$,1280x1024
wine explorer "/desktop=$desktop" "$@" </dev/null >"$BUILD/screenshot-program.log" 2>&1 &
capture_window "$title" "$out" "$desktop"
echo "$out"
