#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures lumarin-split against standard tools on generated novels and writes bench/RESULTS.md.
#   bench/run.sh
# Data (deterministic, generated once into bench/data/): a ~50 MB GBK novel and its UTF-8 copy,
# a ~20 MB traditional-Chinese Big5 novel and its UTF-8 copy, a ~500 MB GBK novel for memory,
# and a second ~50 MB GBK novel of another make (dialogue-heavy, shorter and more varied lines,
# 部/卷/集/篇 as ordinary words in its prose) so that no speed holds only on the first.
# Every split writes to tmpfs (/dev/shm): file creation on the disk varies too much run to run.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release -DLUMARIN_BENCH=ON \
  -DLUMARIN_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target lumarin-split lumarin-gen-novel >/dev/null
# Relative to the top of the tree, where every command runs: RESULTS.md names no local path.
split=$build/bin/lumarin-split
gen=$build/bin/lumarin-gen-novel

# The build before volume recognition, built the same way from that commit's tree: the plain
# list must cost no more than it did then.
base_commit=00ab7a2
base=build/bench-base
if [ ! -x "$base/build/bin/lumarin-split" ]; then
  rm -rf "$base/src" && mkdir -p "$base/src"
  git archive "$base_commit" | tar -x -C "$base/src"
  cmake -S "$base/src" -B "$base/build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DLUMARIN_TESTS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$base/build" -j2 --target lumarin-split >/dev/null
fi
split_base=$base/build/bin/lumarin-split

data=bench/data
mkdir -p "$data"
make_novel() { # size script utf8-file charset encoded-file
  [ -s "$5" ] && return
  "$gen" "$1" "$2" "$3"
  iconv -f UTF-8 -t "$4" "$3" > "$5"
}
make_novel 50000000 simplified "$data/novel-utf8.txt" GBK "$data/novel-gbk.txt"
make_novel 20000000 traditional "$data/novel-big5-utf8.txt" BIG5 "$data/novel-big5.txt"
make_novel 500000000 simplified "$data/novel-500m-utf8.txt" GBK "$data/novel-500m-gbk.txt"
make_novel 50000000 dialogue "$data/dialogue-utf8.txt" GBK "$data/dialogue-gbk.txt"
# The same novel in volumes: a volume line before every hundredth chapter line.
if [ ! -s "$data/novel-vol-gbk.txt" ]; then
  awk '/^第.*章/ { n++; if (n % 100 == 1) print "第" int(n / 100) + 1 "卷 卷名" } { print }' \
    "$data/novel-utf8.txt" | iconv -f UTF-8 -t GBK > "$data/novel-vol-gbk.txt"
fi

# A folder of this run alone: two runs at once must not clear each other's files.
shm=$(mktemp -d /dev/shm/lumarin-bench.XXXXXX)
trap 'rm -rf "$shm"' EXIT
condition='第([一二两三四五六七八九十○〇零百千万0-9１２３４５６７８９０]{1,10})([章草])(.*)'
# csplit reads a basic regular expression: the same heading start, without the capture groups.
csplit_condition='第[一二两三四五六七八九十○〇零百千万0-9１２３４５６７８９０]\{1,10\}[章草]'

results=$data/hyperfine.csv
load=$(cut -d' ' -f1-3 /proc/loadavg)
names=(list list-auto grep cat split csplit split-s opencc epub clean unwrap clean-unwrap split-vol volume-folders split-size
  list-2 list-auto-2 split-2 clean-2 clean-unwrap-2 list-base list-base-2)
commands=(
  "$split --list $data/novel-gbk.txt"
  "$split -c auto --list $data/novel-gbk.txt"
  "LC_ALL=C.UTF-8 grep -cP '$condition' $data/novel-utf8.txt"
  "cat $data/novel-gbk.txt > /dev/null"
  "$split -q -o $shm/split $data/novel-gbk.txt"
  "LC_ALL=C.UTF-8 csplit -z -s -n 5 -f $shm/csplit/x $data/novel-utf8.txt '/$csplit_condition/' '{*}'"
  "$split -q -s -o $shm/split $data/novel-big5.txt"
  "opencc -c t2s.json -i $data/novel-big5-utf8.txt -o $shm/t2s.txt"
  "$split -q --epub $shm/book.epub $data/novel-gbk.txt"
  "$split -q --clean -o $shm/split $data/novel-gbk.txt"
  "$split -q --unwrap -o $shm/split $data/novel-gbk.txt"
  "$split -q --clean --unwrap -o $shm/split $data/novel-gbk.txt"
  "$split -q -o $shm/split $data/novel-vol-gbk.txt"
  "$split -q --volume-folders -o $shm/split $data/novel-vol-gbk.txt"
  "$split -q --split-size 100000 -o $shm/split $data/novel-gbk.txt"
  "$split --list $data/dialogue-gbk.txt"
  "$split -c auto --list $data/dialogue-gbk.txt"
  "$split -q -o $shm/split $data/dialogue-gbk.txt"
  "$split -q --clean -o $shm/split $data/dialogue-gbk.txt"
  "$split -q --clean --unwrap -o $shm/split $data/dialogue-gbk.txt"
  "$split_base --list $data/novel-gbk.txt"
  "$split_base --list $data/dialogue-gbk.txt"
)
named=()
for i in "${!names[@]}"; do named+=(-n "${names[$i]}" "${commands[$i]}"); done
hyperfine --output=pipe --warmup 1 --min-runs 5 --export-csv "$results" --export-markdown "$data/hyperfine.md" \
  --prepare "rm -rf $shm/split $shm/csplit $shm/book.epub; mkdir -p $shm/csplit" "${named[@]}" >&2

# hyperfine's CSV: command,mean,stddev,median,user,system,min,max (seconds).
mean() { awk -F, -v n="$1" '$1 == n { printf "%.1f", $2 * 1000 }' "$results"; }
cpu() { awk -F, -v n="$1" '$1 == n { printf "%.1f", ($5 + $6) * 1000 }' "$results"; }
ratio() { awk -F, -v a="$1" -v b="$2" '$1 == a { x = $2 } $1 == b { y = $2 } END { printf "%.2f", x / y }' "$results"; }
# The same on user + system time: the machine is shared, and CPU time is what other load disturbs least.
cpu_ratio() { awk -F, -v a="$1" -v b="$2" '$1 == a { x = $5 + $6 } $1 == b { y = $5 + $6 } END { printf "%.2f", x / y }' "$results"; }

peak_kb() { # command... ; prints the peak resident set size in kB
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
}
rm -rf "$shm/split"
mem_list_50=$(peak_kb "$split" --list "$data/novel-gbk.txt")
mem_list_500=$(peak_kb "$split" --list "$data/novel-500m-gbk.txt")
rm -rf "$shm/split"
mem_split_50=$(peak_kb "$split" -q -o "$shm/split" "$data/novel-gbk.txt")
rm -rf "$shm/split"
mem_split_500=$(peak_kb "$split" -q -o "$shm/split" "$data/novel-500m-gbk.txt")
rm -rf "$shm/split" "$shm/book.epub"
mem_epub_50=$(peak_kb "$split" -q --epub "$shm/book.epub" "$data/novel-gbk.txt")
rm -f "$shm/book.epub"
mem_epub_500=$(peak_kb "$split" -q --epub "$shm/book.epub" "$data/novel-500m-gbk.txt")
rm -f "$shm/book.epub"
mem_size_50=$(peak_kb "$split" -q --split-size 3000 -o "$shm/split" "$data/novel-gbk.txt")
rm -rf "$shm/split"
mem_size_500=$(peak_kb "$split" -q --split-size 3000 -o "$shm/split" "$data/novel-500m-gbk.txt")
rm -rf "$shm/split"
mem_clean_50=$(peak_kb "$split" -q --clean --unwrap -o "$shm/split" "$data/novel-gbk.txt")
rm -rf "$shm/split"
mem_clean_500=$(peak_kb "$split" -q --clean --unwrap -o "$shm/split" "$data/novel-500m-gbk.txt")
rm -rf "$shm/split"
# The standard ZIP writer storing the same books' files: what a container of that many entries
# costs any writer. What --epub adds to the split's memory should be no more than that.
zip_peak_kb() { # source; leaves the book's number of content documents in $shm/documents
  rm -rf "$shm/book" "$shm/book.epub" "$shm/stored.zip"
  "$split" -q --epub "$shm/book.epub" "$1" >/dev/null
  unzip -Z1 "$shm/book.epub" | grep -c '^OEBPS/text/' > "$shm/documents"
  unzip -q -d "$shm/book" "$shm/book.epub"
  (cd "$shm/book" && peak_kb zip -q -0 -X -r "$shm/stored.zip" mimetype META-INF OEBPS)
  rm -rf "$shm/book" "$shm/book.epub" "$shm/stored.zip"
}
mem_zip_50=$(zip_peak_kb "$data/novel-gbk.txt")
documents_50=$(cat "$shm/documents")
mem_zip_500=$(zip_peak_kb "$data/novel-500m-gbk.txt")
documents_500=$(cat "$shm/documents")
# The -s comparison is only fair if both produce the same text: split with nothing else changed
# and compare with opencc's output.
rm -rf "$shm/split"
"$split" -q -s --keep-blank-lines -g 0 -p %n -o "$shm/split" "$data/novel-big5.txt" >/dev/null
# File numbers pass 999 ("1000.txt" sorts before "101.txt"): order them as numbers.
(cd "$shm/split/novel-big5" && ls | sort -n | xargs cat) | iconv -f GB18030 -t UTF-8 > "$shm/ours.txt"
same_text=$(cmp -s "$shm/ours.txt" "$shm/t2s.txt" && echo "identical" || echo "DIFFERENT")
rm -rf "$shm"

verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v < limit) ? "met" : "NOT met" }'; }
growth_split=$(( (mem_split_500 - mem_split_50) / 1024 ))
growth_list=$(( (mem_list_500 - mem_list_50) / 1024 ))
growth_epub=$(( (mem_epub_500 - mem_epub_50) / 1024 ))
growth_zip=$(( (mem_zip_500 - mem_zip_50) / 1024 ))
growth_epub_over_split=$(( growth_epub - growth_split ))
growth_size=$(( (mem_size_500 - mem_size_50) / 1024 ))
growth_clean=$(( (mem_clean_500 - mem_clean_50) / 1024 ))
growth_clean_over_split=$(( growth_clean - growth_split ))

{
  echo "<!-- lumarin-split: begin (written by bench/run.sh) -->"
  echo "## lumarin-split against standard tools"
  echo
  echo "Produced by \`bench/run.sh\` on $(date -u +%Y-%m-%d) ($(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo))."
  echo "Sources: $(stat -c %s "$data/novel-gbk.txt") bytes GBK (UTF-8 copy $(stat -c %s "$data/novel-utf8.txt") bytes),"
  echo "$(stat -c %s "$data/novel-big5.txt") bytes Big5 (UTF-8 copy $(stat -c %s "$data/novel-big5-utf8.txt") bytes),"
  echo "$(stat -c %s "$data/novel-500m-gbk.txt") bytes GBK for memory, and a second novel of $(stat -c %s "$data/dialogue-gbk.txt") bytes GBK"
  echo "(dialogue-heavy, 部/卷/集/篇 as ordinary words in its prose). Splits write to /dev/shm. One hyperfine run, \`--output=pipe\`."
  echo "The build before volumes is commit $base_commit built the same way (Release); its CPU time is compared as hyperfine's user + system time."
  echo
  echo "Wall time is hyperfine's mean; CPU is user + system time, also a mean. Load average at the start: $load."
  echo
  echo "| comparison | lumarin-split wall / CPU | reference wall / CPU | ratio wall | ratio CPU | target |"
  echo "|---|---|---|---|---|---|"
  row() { # label ours theirs limit
    echo "| $1 | $(mean "$2") / $(cpu "$2") ms | $(mean "$3") / $(cpu "$3") ms | $(ratio "$2" "$3") | $(cpu_ratio "$2" "$3") | ${4:+< $4 wall: $(verdict "$(ratio "$2" "$3")" "$4"), CPU: $(verdict "$(cpu_ratio "$2" "$3")" "$4")} |"
  }
  row "\`--list\` vs \`--list\` of the build before volumes ($base_commit)" list list-base 1.05
  row "second novel: \`--list\` vs \`--list\` of the build before volumes" list-2 list-base-2 1.05
  row "\`--list\` vs \`grep -cP\` (UTF-8 copy)" list grep 2
  row "\`--list\` vs \`cat > /dev/null\`" list cat ""
  row "\`-c auto --list\` (every built-in rule) vs \`--list\` (default condition)" list-auto list 1.5
  row "split (defaults) vs \`csplit -z\` (UTF-8 copy)" split csplit 1.25
  row "split \`-s\` (Big5) vs \`opencc -c t2s.json\` (UTF-8 copy)" split-s opencc 0.2
  row "\`--epub\` vs split (defaults), same source" epub split 2
  row "\`--clean\` vs split (defaults), same source" clean split 1.3
  row "\`--unwrap\` vs split (defaults), same source" unwrap split 1.3
  row "\`--clean --unwrap\` vs split (defaults), same source" clean-unwrap split 1.3
  row "\`--volume-folders\` vs split, same source in volumes" volume-folders split-vol 1.2
  row "\`--split-size 100000\` (no chapter that long: lines found, none counted) vs split" split-size split 1.2
  row "second novel: \`-c auto --list\` vs \`--list\`" list-auto-2 list-2 1.5
  row "second novel: \`--clean\` vs split (defaults)" clean-2 split-2 1.3
  row "second novel: \`--clean --unwrap\` vs split (defaults)" clean-unwrap-2 split-2 1.3
  echo
  echo "\`-s\` output (blank lines kept, files concatenated, as UTF-8) against opencc's: $same_text."
  echo
  echo "Peak resident memory (\`/usr/bin/time -v\`):"
  echo
  echo "| run | 50 MB source | 500 MB source | growth | target |"
  echo "|---|---|---|---|---|"
  echo "| \`--list\` | $((mem_list_50 / 1024)) MB | $((mem_list_500 / 1024)) MB | $growth_list MB | < 10 MB: $(verdict "$growth_list" 10) |"
  echo "| split | $((mem_split_50 / 1024)) MB | $((mem_split_500 / 1024)) MB | $growth_split MB | < 10 MB: $(verdict "$growth_split" 10) |"
  echo "| \`--epub\` | $((mem_epub_50 / 1024)) MB | $((mem_epub_500 / 1024)) MB | $growth_epub MB | split's + no more than \`zip\`'s ($growth_epub_over_split MB over split's): $(verdict "$growth_epub_over_split" "$((growth_zip + 1))") |"
  echo "| \`--split-size 3000\` | $((mem_size_50 / 1024)) MB | $((mem_size_500 / 1024)) MB | $growth_size MB | < 10 MB: $(verdict "$growth_size" 10) |"
  echo "| \`--clean --unwrap\` | $((mem_clean_50 / 1024)) MB | $((mem_clean_500 / 1024)) MB | $growth_clean MB | split's + less than 10 MB ($growth_clean_over_split MB over split's): $(verdict "$growth_clean_over_split" 10) |"
  echo "| \`zip -0 -r\` of the same books' files | $((mem_zip_50 / 1024)) MB | $((mem_zip_500 / 1024)) MB | $growth_zip MB | (reference) |"
  echo
  echo "The books hold $documents_50 and $documents_500 content documents. A ZIP writer keeps a directory"
  echo "entry per file until it writes the directory at the end, so a book's memory grows with its"
  echo "chapters however it is written; the target asks that what \`--epub\` needs beyond the split's"
  echo "own growth be no more than what \`zip\` needs for the same files."
  echo
  echo "Commands as hyperfine ran them (with \`--prepare 'rm -rf $shm/split $shm/csplit $shm/book.epub; mkdir -p $shm/csplit'\`):"
  echo
  echo '```'
  # Paths inside the project are written relative to it, as the commands ran from there.
  for i in "${!names[@]}"; do echo "${names[$i]}: ${commands[$i]//$PWD\//}"; done
  echo '```'
  echo
  echo "hyperfine's own table:"
  echo
  cat "$data/hyperfine.md"
  echo "<!-- lumarin-split: end -->"
} > "$data/section.md"

bench/replace-section.sh lumarin-split "$data/section.md"
cat "$data/section.md"

# Many small books in one run against one run per book.
bench/batch.sh "$split"
