#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for SECONDS, one after another.
#   fuzz/run.sh SECONDS [TARGET...]    default: every target
# Corpora grow in fuzz/corpus/<target>/, crashes land in fuzz/artifacts/<target>/.
# A target that fails to build or finds something does not stop the others; the
# summary at the end names each one that failed, and the status is 1 if any did.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ChineseNumberFuzz LineReaderFuzz CleanFileNameFuzz AnalyzeFuzz RoundTripFuzz OutputWriterFuzz
  ConditionWindowFuzz CoverFuzz TocFuzz)

dir=build/fuzz
failed=()
for target in "${targets[@]}"; do
  if ! scripts/build fuzz --target "$target"; then
    echo "== $target does not build" >&2
    failed+=("$target (build)")
    continue
  fi
  corpus=fuzz/corpus/$target
  artifacts=fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  # Byte-reading targets start from the sample novel, the others from nothing.
  case $target in
    LineReaderFuzz|AnalyzeFuzz|RoundTripFuzz) [ -n "$(ls -A "$corpus")" ] || cp samples/qingdengji.txt "$corpus/" ;;
    # Whole pictures of every kind the tests keep, to cut and damage.
    CoverFuzz) [ -n "$(ls -A "$corpus")" ] || cp tests/data/covers/* "$corpus/" ;;
    # A table with a found row, an added one at a blank line and one at a volume's line.
    TocFuzz) [ -n "$(ls -A "$corpus")" ] || printf '%s' '{"checksum": "x", "rows": [{"start_line": 5, "checked": false, "title": "t"}, {"start_line": 8, "checked": false, "title": "", "added": true}, {"start_line": 3, "checked": true, "title": "v", "added": true}]}' >"$corpus/table.json" ;;
  esac
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== $target for ${seconds}s" >&2
  if ! "$dir/bin/$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1; then
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "== failed: ${failed[*]}" >&2
  exit 1
fi
echo "== every target ran clean" >&2
