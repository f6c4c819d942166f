#!/usr/bin/env bash
# Fuzzes the sentence-file reader with libFuzzer (clang, ASan, UBSan).
#   tools/fuzz.sh [SECONDS [BUILD_DIR]]     default: 60 s in build-fuzz
# The inputs found go to BUILD_DIR/fuzz-corpus and are kept for the next run;
# a crash leaves its input as BUILD_DIR/crash-*. Exits 77 (skipped) when
# clang or its fuzzer runtime is missing (tools/deps.sh affidabilita).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$root/build-fuzz}"

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipped"; exit 77
fi
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }\n' > "$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  echo "fuzz: clang++ has no libFuzzer runtime (libclang-rt-14-dev), skipped"; exit 77
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DANALISI_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target fuzz_corpus -j2 >/dev/null

mkdir -p "$build/fuzz-corpus" "$build/fuzz-seeds"
cp "$root"/tests/fuzz/semi/* "$root/corpus/frasi.tsv" "$build/fuzz-seeds/"
cd "$build"
# -rss_limit_mb and -malloc_limit_mb stop a runaway input; -timeout a hang.
exec bin/fuzz_corpus -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -dict="$root/tests/fuzz/corpus.dict" -print_final_stats=1 \
  fuzz-corpus fuzz-seeds
