#!/usr/bin/env bash
# Runs one Windows executable under Wine with a bounded wait; CTest uses it as
# the cross-compiling emulator. The prefix and display come from the caller
# (scripts/test.sh sets them up).
#
# Output goes through a file: Wine's console host inherits the program's
# stdout and lingers after the program ends, which would keep CTest waiting
# on a pipe for about a second per test.
set -u
: "${WINEPREFIX:?WINEPREFIX must name the test prefix (run scripts/test.sh)}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
output=$(mktemp)
trap 'rm -f "$output"' EXIT
timeout -k 5 "${TESSARO_RUN_TIMEOUT:-150}" wine "$@" </dev/null >"$output" 2>&1
status=$?
cat "$output"
exit "$status"
