#!/usr/bin/env bash
# Prints, in one run, the merge of 20 documents x 5 pages and the split of a
# 200-page document (BENCH_SPLIT_PAGES others) done by the engine alone (its
# command line) and through "Word.Application" (COM, wordsrv and the engine),
# each a whole job from start to quit, and the ratio of the two; and what
# one call through "Word.Application" costs on its own. Honours WINEPREFIX
# and DISPLAY.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

setup_all
use_run_prefix
register_word_server
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb_unless_display
# A fresh, persistent wineserver: registering left one running.
stop_wineserver
wineserver -p

docs=$BUILD/bench-server
rm -rf "$docs"
mkdir -p "$docs/engine-split" "$docs/com-split"
log "writing the benchmark documents"
pages=${BENCH_SPLIT_PAGES:-200}
timeout -k 5 600 "$BUILD/engine/tessaro-engine-fixtures" --bench "$docs" "$pages"

engine=$BUILD/engine/tessaro-engine
inputs=()
for i in $(seq 1 20); do inputs+=("$docs/in$i.docx"); done
now() { date +%s.%N; }
times=$docs/times.txt
: >"$times"

# Other work on the machine shifts single runs; rounds alternate between the
# two ways and the medians are compared.
rounds=${BENCH_ROUNDS:-3}
for round in $(seq 1 "$rounds"); do
  log "round $round of $rounds: engine alone"
  start=$(now)
  timeout -k 5 600 "$engine" merge --no-update "$docs/engine-merged.docx" "${inputs[@]}" >/dev/null
  merged=$(now)
  timeout -k 5 600 "$engine" split "$docs/long$pages.docx" "$docs/engine-split" >/dev/null
  split=$(now)
  awk -v a="$start" -v b="$merged" -v c="$split" 'BEGIN { print "engine_merge", b - a; print "engine_split", c - b }' >>"$times"

  log "round $round of $rounds: through Word.Application"
  com=$docs/com-times.txt
  timeout -k 5 900 wine "$WIN_BUILD/wordsrv/bench/word-server-bench.exe" \
    "$(winepath -w "$docs" 2>/dev/null)" "$(winepath -w "$com" 2>/dev/null)" "$pages" </dev/null >/dev/null 2>&1 ||
    { cat "$com" 2>/dev/null; die "the COM benchmark failed"; }
  cat "$com" >>"$times"
done

median() { awk -v key="$1" '$1 == key { print $2 }' "$times" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
em=$(median engine_merge) es=$(median engine_split)
cm=$(median com_merge) cc=$(median com_merge_checked) cs=$(median com_split)
so=$(median com_split_start_open) sw=$(median com_split_walk) sf=$(median com_split_first_piece)
sp=$(median com_split_other_pieces)
call=$(median com_call) objectCall=$(median com_object_call)
awk -v call="$call" -v objectCall="$objectCall" -v em="$em" -v es="$es" -v cm="$cm" -v cc="$cc" -v cs="$cs" -v so="$so" -v sw="$sw" -v sf="$sf" -v sp="$sp" \
  -v rounds="$rounds" -v pages="$pages" 'BEGIN {
  printf "medians of %d rounds, each job from start-up to quit\n", rounds
  printf "merge 20 x 5 pages   engine %6.2f s   COM %6.2f s   ratio %.2fx\n", em, cm, cm / em
  printf "  with the program'"'"'s check of each input first: COM %6.2f s (%.2fx)\n", cc, cc / em
  printf "split %d pages      engine %6.2f s   COM %6.2f s   ratio %.2fx\n", pages, es, cs, cs / es
  printf "  the program'"'"'s split: start-up and open %.2f s, page walk %.2f s (%.1f ms a page),\n", so, sw, sw * 1000 / (pages - 1)
  printf "  first piece, once the cut has laid out and written it, %.2f s; the other pieces, taken while the\n", sf
  printf "  rest are cut, and quit %.2f s (%.1f ms a piece)\n", sp, sp * 1000 / (pages - 1)
  printf "target: no more than 1.15x\n"
  printf "one call through Word.Application, nothing else running: %.2f ms; one that returns an object, with its release: %.2f ms\n", call, objectCall
}'
