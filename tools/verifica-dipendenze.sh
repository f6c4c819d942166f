#!/usr/bin/env bash
# Checks that every folder of the program depends only on the folders below
# it: no header or source includes a header of a folder above its own, and no
# CMakeLists.txt links a library of a folder above.
#
#   tools/verifica-dipendenze.sh [ROOT]
#
# ROOT is the top of a source tree (default: this repository). Exit status 0
# when every dependency points downwards, 1 with one line per fault.
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}

# Bottom to top; a folder may use those before it in this list.
folders=(platform corpus classification screens exercise app)
# The libraries each folder builds, in the same order.
libraries=(
  "analisi_piattaforma_base analisi_piattaforma"
  "analisi_corpus analisi_corpus_dati"
  "analisi_lezione"
  "analisi_schermi"
  "analisi_esercizio"
  "analisi_app"
)

faults=0
for ((i = 0; i < ${#folders[@]}; i++)); do
  folder=${folders[i]}
  [ -d "$root/$folder" ] || continue
  above=("${folders[@]:i+1}")
  [ ${#above[@]} -gt 0 ] || continue
  pattern=$(IFS='|'; echo "${above[*]}")
  # #include "screens/x.h" or <screens/x.h>, however spaced.
  while IFS= read -r hit; do
    echo "$hit: $folder/ may not include a header of a folder above it (${above[*]})"
    faults=$((faults + 1))
  done < <(find "$root/$folder" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) -print0 \
             | xargs -0 -r grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($pattern)/" || true)

  cmake_file="$root/$folder/CMakeLists.txt"
  [ -f "$cmake_file" ] || continue
  above_libs=$(for ((j = i + 1; j < ${#folders[@]}; j++)); do echo "${libraries[j]}"; done | tr ' ' '\n' | paste -sd'|')
  while IFS= read -r hit; do
    echo "$hit: $folder/ may not link a library of a folder above it"
    faults=$((faults + 1))
  done < <(grep -HnwE "$above_libs" "$cmake_file" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*#' \
             | grep -vE "add_library\(" || true)
done

# editor-frasi stands beside the program, on the sentence reader: it may use
# corpus/ and the caption table classification/pulsanti.h, nothing of the
# drill's lesson or windows; and nothing of the program uses the editor.
if [ -d "$root/editor" ]; then
  while IFS= read -r hit; do
    echo "$hit: editor/ may use corpus/ and classification/pulsanti.h only"
    faults=$((faults + 1))
  done < <(find "$root/editor" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 \
             | xargs -0 -r grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<](platform|screens|exercise|app|classification)/" \
             | grep -vE "[\"<]classification/pulsanti\.h[\">]" || true)
  if [ -f "$root/editor/CMakeLists.txt" ]; then
    while IFS= read -r hit; do
      echo "$hit: editor/ may link the sentence reader only"
      faults=$((faults + 1))
    done < <(grep -HnwE "analisi_piattaforma_base|analisi_piattaforma|analisi_lezione|analisi_schermi|analisi_esercizio|analisi_app" \
               "$root/editor/CMakeLists.txt" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*#' || true)
  fi
  for folder in "${folders[@]}"; do
    [ -d "$root/$folder" ] || continue
    while IFS= read -r hit; do
      echo "$hit: $folder/ may not include a header of editor/"
      faults=$((faults + 1))
    done < <(find "$root/$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 \
               | xargs -0 -r grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]editor/" || true)
  done
fi

if [ "$faults" -gt 0 ]; then
  echo "$faults dependencies point upwards" >&2
  exit 1
fi
echo "every dependency points downwards: ${folders[*]}; editor on corpus"
