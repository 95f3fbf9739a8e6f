#!/usr/bin/env bash
# Builds the Windows side and prints, in one run, how the contents list shows
# a folder of 10,000 files (the first screen of rows, the whole folder read,
# a sort by each column, the longest wait for an answer to a sent message
# meanwhile), how long the tree takes to expand a folder of 2,000
# subfolders, each next to the bare shell queries for the same items and
# the ratio, and the memory a folder of 100,000 files takes. The folders are
# made once, here, with the system's own tools (making 100,000 files through
# Wine takes minutes); a run takes several minutes, most of them the bare
# queries.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

data=$BUILD/bench-shell-folders
if [ ! -f "$data/files/f09999.txt" ]; then
  mkdir -p "$data/files"
  perl -e 'for my $i (0 .. 9999) {
    open(my $f, ">", sprintf("%s/f%05d.txt", $ARGV[0], $i)) or die "$!";
    print $f "x" x ($i % 3000);
  }' "$data/files"
fi
if [ ! -d "$data/folders/d01999" ]; then
  mkdir -p "$data/folders"
  (cd "$data/folders" && seq -f 'd%05g' 0 1999 | xargs mkdir -p)
fi
if [ ! -f "$data/files100k/g099999.txt" ]; then
  mkdir -p "$data/files100k"
  (cd "$data/files100k" && seq -f 'g%06g.txt' 0 99999 | xargs touch)
fi

# Wine shows the Unix root as drive Z:.
run_windows_bench shell "$WIN_BUILD/bench/shell-bench.exe" 3600 "Z:${data//\//\\}"
