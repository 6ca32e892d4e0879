#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS, one after another.
#   fuzz/run.sh SECONDS [TARGET...]    default: every target
# Corpora grow in fuzz/corpus/<target>/, crashes land in fuzz/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ChineseNumberFuzz LineReaderFuzz CleanFileNameFuzz AnalyzeFuzz RoundTripFuzz OutputWriterFuzz
  ConditionWindowFuzz)

dir=build/fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S . -B "$dir" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMARIN_FUZZ=ON -DLUMARIN_TESTS=OFF -DCMAKE_CXX_FLAGS="$flags" "${launcher[@]}" >/dev/null
cmake --build "$dir" -j2 --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/$target
  artifacts=fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  # Byte-reading targets start from the sample novel, the others from nothing.
  case $target in
    LineReaderFuzz|AnalyzeFuzz|RoundTripFuzz) [ -n "$(ls -A "$corpus")" ] || cp samples/qingdengji.txt "$corpus/" ;;
  esac
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== $target for ${seconds}s" >&2
  "$dir/bin/$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1 || status=1
done
exit $status
