#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Many small books: one run over a folder of 200 against 200 runs of one book each, the way a
# shell loop would convert a library before lumarin-split took several sources. Writes its
# section of bench/RESULTS.md.
#   bench/batch.sh [LUMARIN-SPLIT]     (bench/run.sh calls it with its own build)
set -euo pipefail
cd "$(dirname "$0")/.."
split=${1:-build/release/bin/lumarin-split}
books=200

shm=$(mktemp -d /dev/shm/lumarin-batch.XXXXXX)
trap 'rm -rf "$shm"' EXIT
mkdir "$shm/books"
# A small GBK novel of 20 chapters (about 20 kB), under 200 names.
for c in $(seq 1 20); do
  printf '第%d章 标题%d\n' "$c" "$c"
  for p in $(seq 1 12); do printf '　　江风吹过城墙，灯影摇动。夜深了，他还在读书，这是本章的第%d段。\n' "$p"; done
done | iconv -f UTF-8 -t GBK > "$shm/book.txt"
for i in $(seq -w 1 "$books"); do cp "$shm/book.txt" "$shm/books/book$i.txt"; done

results=$shm/batch.csv
load=$(cut -d' ' -f1-3 /proc/loadavg)
hyperfine --output=pipe --warmup 1 --min-runs 5 --export-csv "$results" \
  --prepare "rm -rf $shm/out; mkdir $shm/out" \
  -n one-run "$split -q -o $shm/out $shm/books" \
  -n one-run-per-book "for f in $shm/books/*.txt; do $split -q -o $shm/out \"\$f\" >/dev/null || exit 1; done" >&2
# The one run's output must be the same files the separate runs write.
rm -rf "$shm/out" "$shm/loop" && mkdir "$shm/out" "$shm/loop"
"$split" -q -o "$shm/out" "$shm/books" >/dev/null
for f in "$shm"/books/*.txt; do "$split" -q -o "$shm/loop" "$f" >/dev/null; done
same=$(diff -r -q "$shm/out" "$shm/loop" >/dev/null && echo "identical" || echo "DIFFERENT")
files=$(find "$shm/out" -type f | wc -l)

# hyperfine's CSV: command,mean,stddev,median,user,system,min,max (seconds).
mean() { awk -F, -v n="$1" '$1 == n { printf "%.0f", $2 * 1000 }' "$results"; }
cpu() { awk -F, -v n="$1" '$1 == n { printf "%.0f", ($5 + $6) * 1000 }' "$results"; }
ratio() { awk -F, -v a="$1" -v b="$2" -v f="$3" '$1 == a { x = $f } $1 == b { y = $f } END { printf "%.1f", x / y }' "$results"; }
wall_ratio=$(ratio one-run-per-book one-run 2)
cpu_ratio=$(awk -F, '$1 == "one-run-per-book" { x = $5 + $6 } $1 == "one-run" { y = $5 + $6 } END { printf "%.1f", x / y }' "$results")
verdict() { awk -v v="$1" 'BEGIN { print (v >= 3) ? "met" : "NOT met" }'; }

section=$shm/section.md
{
  echo "<!-- lumarin-split batch: begin (written by bench/batch.sh) -->"
  echo "## Many books in one run"
  echo
  echo "Produced by \`bench/batch.sh\` on $(date -u +%Y-%m-%d) ($(nproc) cores, load average at the start: $load)."
  echo "$books copies of a $(stat -c %s "$shm/book.txt")-byte GBK novel of 20 chapters, split into /dev/shm"
  echo "($files files in all; the one run's files and the separate runs' files are $same)."
  echo
  echo "| run | wall | CPU (user + system) |"
  echo "|---|---|---|"
  echo "| \`lumarin-split -q -o OUT BOOKS/\` (one run) | $(mean one-run) ms | $(cpu one-run) ms |"
  echo "| \`for f in BOOKS/*.txt; do lumarin-split -q -o OUT \"\$f\"; done\` | $(mean one-run-per-book) ms | $(cpu one-run-per-book) ms |"
  echo
  echo "One run is ${wall_ratio}× faster in wall time and ${cpu_ratio}× in CPU time (target ≥ 3×: wall $(verdict "$wall_ratio"), CPU $(verdict "$cpu_ratio"))."
  echo "<!-- lumarin-split batch: end -->"
} > "$section"

bench/replace-section.sh "lumarin-split batch" "$section"
cat "$section"
