#!/usr/bin/env bash
# Builds the libFuzzer targets of the DSM reader and the clipboard paste natively with clang and
# runs each for a few seconds (SPINDREL_FUZZ_SECONDS, default 5). Exits non-zero on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${SPINDREL_FUZZ_SECONDS:-5}"
out=build/fuzz
clang="${CLANGXX:-clang++}"
if ! command -v "$clang" >/dev/null; then
  echo "fuzz: $clang is missing (packages clang, libclang-rt-14-dev)" >&2
  exit 1
fi
mkdir -p "$out"

core=(src/base/text.cpp src/macro/wait_text.cpp src/macro/dsm_format.cpp
      src/macro/dsm_document.cpp src/macro/dsm_clipboard.cpp src/macro/io_error_text.cpp
      src/macro/click_condition.cpp)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Isrc)

for target in dsm_load_fuzz dsm_paste_fuzz; do
  "$clang" "${flags[@]}" "tests/fuzz/$target.cpp" "${core[@]}" -o "$out/$target"
done

run() {
  local target=$1 seeds=$2
  local corpus="$out/corpus-$target"
  mkdir -p "$corpus"
  echo "== fuzz: $target for ${seconds}s =="
  # The working corpus grows in the build folder; the seeds in the tree stay as they are.
  "$out/$target" -max_total_time="$seconds" -timeout=5 -max_len=12000 \
    -artifact_prefix="$out/$target-" -print_final_stats=1 "$corpus" "$seeds" 2>"$out/$target.log" \
    || { tail -40 "$out/$target.log" >&2; echo "fuzz: $target found a fault" >&2; return 1; }
  grep -E "^stat::number_of_executed_units" "$out/$target.log" || true
}

run dsm_load_fuzz tests/fuzz/corpus/load
run dsm_paste_fuzz tests/fuzz/corpus/paste
