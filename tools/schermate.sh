#!/usr/bin/env bash
# Saves pictures of the program's windows into docs/ (or the folder given),
# on a virtual screen of 1366x768 (or the size given: tools/schermate.sh docs 1920x1080).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
size=${2:-1366x768}
command -v Xvfb >/dev/null || { echo "Xvfb is missing: apt-get install xvfb" >&2; exit 2; }
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target cattura-schermate
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
runtime=$(mktemp -d)
DISPLAY=$display XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb build/bin/cattura-schermate "$out"
rm -rf "$runtime"
