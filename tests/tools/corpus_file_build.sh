#!/usr/bin/env bash
# Building with -DCORPUS_FILE=...: a valid teacher's file is embedded byte for
# byte; a file that breaks a rule stops the build with the row, position and
# rule, and keeps stopping it until the file is mended.
#
# corpus_file_build.sh CMAKE SOURCE_DIR WORK_DIR GOOD.tsv BAD.tsv EXPECTED_MESSAGE
set -uo pipefail
cmake=$1 src=$2 work=$3 good=$4 bad=$5 expected=$6

fail() {
  echo "FAIL: $*"
  exit 1
}
show() {
  sed 's/^/    /' "$1"
}

rm -rf "$work"
mkdir -p "$work"
generated=$work/corpus/corpus_incorporato_dati.cpp

# Only the sentence library is built: the check and the embedding are all
# that the file changes.
"$cmake" -S "$src" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=OFF \
  -DCORPUS_FILE="$good" >"$work/configure.log" 2>&1 || { show "$work/configure.log"; fail "configure"; }
"$cmake" --build "$work" --target analisi_corpus_dati -j2 >"$work/good.log" 2>&1 ||
  { show "$work/good.log"; fail "a valid file must build"; }
size=$(stat -c %s "$good")
grep -q "analisi_corpus_lunghezza = $size;" "$generated" || fail "the embedded text is not the $size bytes of $good"
echo "ok: $good builds and is embedded ($size bytes)"

"$cmake" -DCORPUS_FILE="$bad" "$work" >>"$work/configure.log" 2>&1 || { show "$work/configure.log"; fail "reconfigure"; }
for attempt in first second; do
  if "$cmake" --build "$work" --target analisi_corpus_dati -j2 >"$work/bad.log" 2>&1; then
    show "$work/bad.log"
    fail "the $attempt build with $bad succeeded"
  fi
  grep -qF -- "$expected" "$work/bad.log" || { show "$work/bad.log"; fail "no message \"$expected\""; }
  echo "ok: the $attempt build with $bad stops: $(grep -F -- "$expected" "$work/bad.log")"
done
grep -q "analisi_corpus_lunghezza = $size;" "$generated" || fail "the refused file replaced the embedded text"
rm -rf "$work"
