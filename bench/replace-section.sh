#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Puts one benchmark's section into bench/RESULTS.md: replaces the lines between
# "<!-- NAME: begin" and "<!-- NAME: end" with SECTION-FILE, or adds it at the end. Other
# benchmarks keep their own sections.
#   bench/replace-section.sh NAME SECTION-FILE
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
section=$2
results_md=bench/RESULTS.md
[ -f "$results_md" ] || printf '# Benchmark results\n\n' > "$results_md"
new=$(mktemp)
if grep -q "^<!-- $name: begin" "$results_md"; then
  awk -v section="$section" -v begin="^<!-- $name: begin" -v end="^<!-- $name: end" '
    $0 ~ begin { while ((getline line < section) > 0) print line; skip = 1; next }
    $0 ~ end { skip = 0; next }
    !skip { print }' "$results_md" > "$new"
else
  { cat "$results_md"; echo; cat "$section"; } > "$new"
fi
mv "$new" "$results_md"
