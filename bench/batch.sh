#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Many small books. Two measures, each with its section of bench/RESULTS.md:
#   loop      one run over a folder of 200 against 200 runs of one book each, the way a shell
#             loop would convert a library before lumarin-split took several sources (both one
#             book at a time: -j 1);
#   parallel  one run over a folder of 2,000 with -j 2 against -j 1: wall time, and the peak
#             memory of the parallel run against the serial one.
#   bench/batch.sh [LUMARIN-SPLIT] [loop|parallel|all]     (bench/run.sh calls it with its own build)
set -euo pipefail
cd "$(dirname "$0")/.."
split=${1:-build/release/bin/lumarin-split}
part=${2:-all}

shm=$(mktemp -d /dev/shm/lumarin-batch.XXXXXX)
trap 'rm -rf "$shm"' EXIT
# A small GBK novel of 20 chapters (about 16 kB).
for c in $(seq 1 20); do
  printf '第%d章 标题%d\n' "$c" "$c"
  for p in $(seq 1 12); do printf '　　江风吹过城墙，灯影摇动。夜深了，他还在读书，这是本章的第%d段。\n' "$p"; done
done | iconv -f UTF-8 -t GBK > "$shm/book.txt"
# Copies of it in a folder: library FOLDER COUNT
library() {
  mkdir "$1"
  for i in $(seq -w 1 "$2"); do cp "$shm/book.txt" "$1/book$i.txt"; done
}
# hyperfine's CSV: command,mean,stddev,median,user,system,min,max (seconds).
mean() { awk -F, -v n="$2" '$1 == n { printf "%.0f", $2 * 1000 }' "$1"; }
cpu() { awk -F, -v n="$2" '$1 == n { printf "%.0f", ($5 + $6) * 1000 }' "$1"; }
ratio() { awk -F, -v a="$2" -v b="$3" -v f="$4" '$1 == a { x = $f } $1 == b { y = $f } END { printf "%.2f", x / y }' "$1"; }
at_least() { awk -v v="$1" -v t="$2" 'BEGIN { print (v >= t) ? "met" : "NOT met" }'; }
at_most() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "met" : "NOT met" }'; }

loop_part() {
  local books=200 results=$shm/loop.csv load files same
  library "$shm/books" "$books"
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  hyperfine --output=pipe --warmup 1 --min-runs 5 --export-csv "$results" \
    --prepare "rm -rf $shm/out; mkdir $shm/out" \
    -n one-run "$split -q -j 1 -o $shm/out $shm/books" \
    -n one-run-per-book "for f in $shm/books/*.txt; do $split -q -o $shm/out \"\$f\" >/dev/null || exit 1; done" >&2
  # The one run's output must be the same files the separate runs write.
  rm -rf "$shm/out" "$shm/loop" && mkdir "$shm/out" "$shm/loop"
  "$split" -q -j 1 -o "$shm/out" "$shm/books" >/dev/null
  for f in "$shm"/books/*.txt; do "$split" -q -o "$shm/loop" "$f" >/dev/null; done
  same=$(diff -r -q "$shm/out" "$shm/loop" >/dev/null && echo "identical" || echo "DIFFERENT")
  files=$(find "$shm/out" -type f | wc -l)
  local wall_ratio cpu_ratio section=$shm/loop.md
  wall_ratio=$(ratio "$results" one-run-per-book one-run 2)
  cpu_ratio=$(awk -F, '$1 == "one-run-per-book" { x = $5 + $6 } $1 == "one-run" { y = $5 + $6 } END { printf "%.1f", x / y }' "$results")
  {
    echo "<!-- lumarin-split batch: begin (written by bench/batch.sh) -->"
    echo "## Many books in one run"
    echo
    echo "Produced by \`bench/batch.sh\` on $(date -u +%Y-%m-%d) ($(nproc) cores, load average at the start: $load)."
    echo "$books copies of a $(stat -c %s "$shm/book.txt")-byte GBK novel of 20 chapters, split into /dev/shm"
    echo "($files files in all, the folders' markers among them; the one run's files and the separate runs' files are $same)."
    echo
    echo "| run | wall | CPU (user + system) |"
    echo "|---|---|---|"
    echo "| \`lumarin-split -q -j 1 -o OUT BOOKS/\` (one run) | $(mean "$results" one-run) ms | $(cpu "$results" one-run) ms |"
    echo "| \`for f in BOOKS/*.txt; do lumarin-split -q -o OUT \"\$f\"; done\` | $(mean "$results" one-run-per-book) ms | $(cpu "$results" one-run-per-book) ms |"
    echo
    echo "One run is ${wall_ratio}× faster in wall time and ${cpu_ratio}× in CPU time (target ≥ 3×: wall $(at_least "$wall_ratio" 3), CPU $(at_least "$cpu_ratio" 3))."
    echo "<!-- lumarin-split batch: end -->"
  } > "$section"
  bench/replace-section.sh "lumarin-split batch" "$section"
  cat "$section"
}

# Peak resident memory (kB) of one run into a fresh folder.
peak_kb() {
  rm -rf "$shm/out" && mkdir "$shm/out"
  /usr/bin/time -f %M -o "$shm/peak" "$split" -q -j "$1" -o "$shm/out" "$shm/many" >/dev/null
  cat "$shm/peak"
}

parallel_part() {
  local books=2000 results=$shm/parallel.csv load same section=$shm/parallel.md
  library "$shm/many" "$books"
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  hyperfine --output=pipe --warmup 1 --runs 3 --export-csv "$results" \
    --prepare "rm -rf $shm/out; mkdir $shm/out" \
    -n serial "$split -q -j 1 -o $shm/out $shm/many" \
    -n parallel "$split -q -j 2 -o $shm/out $shm/many" >&2
  local end_load speedup serial_kb parallel_kb memory
  end_load=$(cut -d' ' -f1-3 /proc/loadavg)
  speedup=$(ratio "$results" serial parallel 2)
  serial_kb=$(peak_kb 1)
  mv "$shm/out" "$shm/serial-out"
  parallel_kb=$(peak_kb 2)
  same=$(diff -r -q "$shm/serial-out" "$shm/out" >/dev/null && echo "identical" || echo "DIFFERENT")
  memory=$(awk -v p="$parallel_kb" -v s="$serial_kb" 'BEGIN { printf "%.2f", p / s }')
  {
    echo "<!-- lumarin-split parallel batch: begin (written by bench/batch.sh) -->"
    echo "## A library on every core (-j)"
    echo
    echo "Produced by \`bench/batch.sh BUILD parallel\` on $(date -u +%Y-%m-%d) ($(nproc) cores; load average at the start: $load, at the end: $end_load)."
    echo "$books copies of the same $(stat -c %s "$shm/book.txt")-byte GBK novel of 20 chapters in one folder, split into /dev/shm"
    echo "(the files of \`-j 2\` and \`-j 1\` are $same)."
    echo
    echo "| run | wall | CPU (user + system) | peak memory |"
    echo "|---|---|---|---|"
    echo "| \`lumarin-split -q -j 1 -o OUT BOOKS/\` | $(mean "$results" serial) ms | $(cpu "$results" serial) ms | $((serial_kb / 1024)) MB |"
    echo "| \`lumarin-split -q -j 2 -o OUT BOOKS/\` | $(mean "$results" parallel) ms | $(cpu "$results" parallel) ms | $((parallel_kb / 1024)) MB |"
    echo
    echo "\`-j 2\` is ${speedup}× as fast as \`-j 1\` in wall time (target ≥ 1.7×: $(at_least "$speedup" 1.7)); its peak memory is ${memory}× the serial run's (target ≤ 2×: $(at_most "$memory" 2))."
    echo "Wall time is only a fair measure with both cores free: on a busy machine (a load average above the cores) two threads win a larger share of the CPU from the other work than one does, and the ratio overstates the speed-up."
    echo "<!-- lumarin-split parallel batch: end -->"
  } > "$section"
  bench/replace-section.sh "lumarin-split parallel batch" "$section"
  cat "$section"
}

case "$part" in
  loop) loop_part ;;
  parallel) parallel_part ;;
  all) loop_part; parallel_part ;;
  *) echo "usage: bench/batch.sh [LUMARIN-SPLIT] [loop|parallel|all]" >&2; exit 2 ;;
esac
