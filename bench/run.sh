#!/usr/bin/env bash
# Builds the program and its benchmark and prints, in one run, the program's
# start-up time, peak memory, cost of one answer, corpus load time and memory
# growth, beside a bare Qt Widgets yardstick built in the same tree.
#
#   bench/run.sh [--runs N] [--answers N] [--no-callgrind] [--screen WxHxD]
#
# Everything runs on a private Xvfb display (Debian's xvfb); callgrind comes
# from Debian's valgrind. Both are installed when missing. Never part of the
# tests: the figures depend on the machine and on what else it is doing.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
answers=10000
callgrind=yes
screen=1920x1080x24
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --answers) answers="$2"; shift 2 ;;
    --no-callgrind) callgrind=no; shift ;;
    --screen) screen="$2"; shift 2 ;;
    *) echo "usage: bench/run.sh [--runs N] [--answers N] [--no-callgrind] [--screen WxHxD]" >&2; exit 2 ;;
  esac
done
callgrind_answers=1100  # the first 100 are not counted

# ---- tools and build ----------------------------------------------------------
tools/deps.sh
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
[ "$callgrind" = no ] || command -v valgrind >/dev/null || need+=(valgrind)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${need[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DANALISI_BENCH=ON >/dev/null
cmake --build build -j2 >/dev/null
bin=build/bin

# ---- a display of our own -------------------------------------------------------
work=$(mktemp -d)
log="$work/stderr.log"
xvfb_pid=""
cleanup() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# ---- measurements --------------------------------------------------------------
echo "measuring start-up ($runs runs each, taking turns)..." >&2
"$bin/analisi-lancio" "$runs" 2 \
  -- iniziale "$bin/analisi-avvio" iniziale \
  -- esercizio "$bin/analisi-avvio" esercizio \
  -- metro "$bin/analisi-metro" >"$work/avvio" 2>>"$log"
echo "measuring the corpus..." >&2
"$bin/analisi-bench" corpus 2000 >"$work/corpus" 2>>"$log"
echo "measuring $answers answers..." >&2
"$bin/analisi-bench" risposte "$answers" >"$work/risposte" 2>>"$log"
if [ "$callgrind" = yes ]; then
  echo "counting instructions of $((callgrind_answers - 100)) answers under callgrind (a few minutes)..." >&2
  valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$work/callgrind.out" \
    "$bin/analisi-bench" risposte "$callgrind_answers" --callgrind >"$work/risposte-cg" 2>>"$log"
fi

# ---- report ---------------------------------------------------------------------
field() {  # field FILE LABEL KEY
  awk -v label="$2" -v key="$3" '$1 == label { for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }' "$1"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "met" : "MISSED" }'; }

ini_ms=$(field "$work/avvio" iniziale median_ms)
ese_ms=$(field "$work/avvio" esercizio median_ms)
met_ms=$(field "$work/avvio" metro median_ms)
ini_kb=$(field "$work/avvio" iniziale peak_rss_kb)
ese_kb=$(field "$work/avvio" esercizio peak_rss_kb)
met_kb=$(field "$work/avvio" metro peak_rss_kb)
r_ini=$(ratio "$ini_ms" "$met_ms")
r_ese=$(ratio "$ese_ms" "$met_ms")
r_kb=$(ratio "$ese_kb" "$met_kb")
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }

leggi_us=$(field "$work/corpus" corpus leggi_median_us)
tabelle_us=$(field "$work/corpus" corpus tabelle_median_us)
corpus_n=$(field "$work/corpus" corpus n)

r=$work/risposte
med_us=$(field "$r" risposte median_us)
p99_us=$(field "$r" risposte p99_us)
max_us=$(field "$r" risposte max_us)
wrong=$(field "$r" risposte sbagliate)
series=$(field "$r" risposte serie)
sentences=$(field "$r" risposte frasi)
with_results=$(field "$r" risposte con_risultati_median_us)
rss_a=$(field "$r" risposte rss_100_kb)
rss_b=$(field "$r" risposte "rss_${answers}_kb")
heap_a=$(field "$r" risposte heap_100_kb)
heap_b=$(field "$r" risposte "heap_${answers}_kb")
rss_grow=$((rss_b - rss_a))
heap_grow=$((heap_b - heap_a))

ir_line="not run (--no-callgrind)"
if [ "$callgrind" = yes ]; then
  counted=$(field "$work/risposte-cg" risposte callgrind_contate)
  total_ir=$(awk '/^(summary|totals):/ { print $2; exit }' "$work/callgrind.out")
  ir_line=$(awk -v t="$total_ir" -v n="$counted" 'BEGIN { printf "%.2f M instructions (callgrind, %d answers)", t / n / 1e6, n }')
fi

qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo "?")
cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
echo
echo "Analisi grammaticale: ARTICOLI, benchmark of $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores ($cpu), load $(cut -d' ' -f1-3 /proc/loadavg); Qt $qt; Xvfb $screen"
echo "command: bench/run.sh --runs $runs --answers $answers$([ "$callgrind" = yes ] || echo ' --no-callgrind')"
echo
printf '%-46s %12s %12s %7s %9s  %s\n' "start-up, process start to first frame" "program" "yardstick" "ratio" "target" ""
printf '%-46s %9.1f ms %9.1f ms %7s %9s\n' "  start window" "$ini_ms" "$met_ms" "$r_ini" ""
printf '%-46s %9.1f ms %9.1f ms %7s %9s  %s\n' "  exercise window with a sentence" "$ese_ms" "$met_ms" "$r_ese" "<= 1.25" "$(verdict "$r_ese" 1.25)"
printf '%-46s %12s %12s %7s %9s  %s\n' "peak resident memory to the exercise window" "$(mb "$ese_kb")" "$(mb "$met_kb")" "$r_kb" "<= 1.20" "$(verdict "$r_kb" 1.20)"
printf '%-46s %12s\n' "  (to the start window)" "$(mb "$ini_kb")"
echo "  medians of $runs runs each (2 warm-up runs dropped), the three programs taking turns"
echo
echo "one judged answer, click to repaint, feedback second skipped by the clock"
echo "  $answers answers, $wrong wrong, over $sentences sentences, $series results windows"
printf '  %-44s %9.1f us\n' "median" "$med_us"
printf '  %-44s %9.1f us %24s  %s\n' "99th percentile" "$p99_us" "<= 1000 us" "$(verdict "$p99_us" 1000)"
printf '  %-44s %9.1f us\n' "slowest" "$max_us"
[ -z "$with_results" ] || printf '  %-44s %9.1f us\n' "answers that opened the results window, median" "$with_results"
echo "  per answer: $ir_line"
echo
printf '%-46s %9.1f us %24s  %s\n' "corpus::leggi on the built-in text, median" "$leggi_us" "<= 200 us" "$(verdict "$leggi_us" 200)"
printf '%-46s %9.1f us\n' "  filling the five tables from it, median" "$tabelle_us"
echo "  over $corpus_n readings"
echo
echo "memory after $answers answers minus after 100"
printf '  %-44s %+9d kB %24s  %s\n' "heap in use (malloc)" "$heap_grow" "<= 0 (+64 kB slack)" "$(verdict "$heap_grow" 64)"
printf '  %-44s %+9d kB\n' "resident" "$rss_grow"
if [ -s "$log" ]; then
  echo
  echo "messages from the programs (first 10 lines):"
  head -n 10 "$log" | sed 's/^/  /'
fi
