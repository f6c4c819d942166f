#!/usr/bin/env bash
# The dependency scan fails where it should: on a copy of the source tree it
# passes, with an include of a folder above planted in it, or a link to a
# library above, it fails and names the file.
#
#   dipendenze_piantate.sh SCAN SOURCE_DIR SCRATCH_DIR
set -euo pipefail
scan=$1 source=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
for folder in platform corpus classification screens exercise app editor; do
  (cd "$source" && find "$folder" -type f \( -name '*.h' -o -name '*.cpp' -o -name CMakeLists.txt \) -print0 \
     | xargs -0 cp --parents -t "$scratch")
done

expect_fault() {  # expect_fault WHAT FILE
  local out
  if out=$("$scan" "$scratch" 2>&1); then
    echo "FAIL: the scan passed with $1 planted"; exit 1
  fi
  grep -q "^$scratch/$2:" <<<"$out" || { echo "FAIL: the scan did not name $2:"; echo "$out"; exit 1; }
  echo "ok: $1 fails the scan: $(grep "^$scratch/$2:" <<<"$out" | head -n 1)"
}

"$scan" "$scratch" >/dev/null || { echo "FAIL: the unchanged copy does not pass"; "$scan" "$scratch"; exit 1; }

# A header of the lesson's rules reaching up to the exercise window.
header=classification/lezione.h
cp "$scratch/$header" "$scratch/$header.orig"
printf '#include "exercise/formb.h"\n' >>"$scratch/$header"
expect_fault "an include of exercise/ in $header" "$header"
mv "$scratch/$header.orig" "$scratch/$header"

# A source of platform/ including a window of screens/, spaced and bracketed.
source_file=platform/clock.cpp
cp "$scratch/$source_file" "$scratch/$source_file.orig"
printf '#  include <screens/classificaform.h>\n' >>"$scratch/$source_file"
expect_fault "an include of screens/ in $source_file" "$source_file"
mv "$scratch/$source_file.orig" "$scratch/$source_file"

# The lesson's library linking the windows above it.
printf 'target_link_libraries(analisi_lezione PRIVATE analisi_schermi)\n' >>"$scratch/classification/CMakeLists.txt"
expect_fault "a link of classification/ to analisi_schermi" classification/CMakeLists.txt

# The editor reaching into the lesson's rules, linking the program, and the
# program using the editor.
plant() {  # plant FILE LINE WHAT
  cp "$scratch/$1" "$scratch/$1.orig"
  printf '%s\n' "$2" >>"$scratch/$1"
  expect_fault "$3" "$1"
  mv "$scratch/$1.orig" "$scratch/$1"
}
plant editor/documento.h '#include "classification/lezione.h"' "an include of the lesson's rules in the editor"
plant editor/CMakeLists.txt 'target_link_libraries(editor_finestre PRIVATE analisi_app)' "a link of the editor to the program"
plant app/main.cpp '#include "editor/documento.h"' "an include of the editor in the program"

rm -rf "$scratch"
