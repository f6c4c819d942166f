#!/usr/bin/env bash
# Builds the program and its benchmark and prints, in one run, the program's
# start-up time, peak memory, cost of one answer, corpus load time and memory
# growth, beside a bare Qt Widgets yardstick built in the same tree.
#
#   bench/run.sh [--runs N] [--answers N] [--no-callgrind] [--screen WxHxD]
#
# Everything runs on a private Xvfb display and, when PulseAudio is there, a
# private sound server with a null output, so that the cues are really
# played. Xvfb (xvfb) and callgrind (valgrind) come from Debian and are
# installed when missing. Never part of the tests: the figures depend on the
# machine and on what else it is doing. Takes about ten minutes.
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
callgrind_answers=600  # the first 100 are not counted
rest=35                # seconds of rest before a memory reading (see analisi_bench.cpp)

# ---- tools and build ----------------------------------------------------------
tools/deps.sh
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
[ "$callgrind" = no ] || command -v valgrind >/dev/null || need+=(valgrind)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${need[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >&2
fi
echo "building..." >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DANALISI_BENCH=ON >/dev/null
cmake --build build -j2 >/dev/null
bin=build/bin

# ---- a display and a sound server of our own ------------------------------------
work=$(mktemp -d)
log="$work/stderr.log"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

sound="none (cues are silent)"
if command -v pulseaudio >/dev/null; then
  pulse="$work/pulse"
  mkdir -p -m 700 "$pulse/run"
  HOME="$pulse" XDG_RUNTIME_DIR="$pulse/run" XDG_CONFIG_HOME="$pulse/config" \
    PULSE_RUNTIME_PATH="$pulse/run/pulse" PULSE_STATE_PATH="$pulse/state" \
    pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 --use-pid-file=false \
      --realtime=false --high-priority=false --log-target=stderr \
      "--load=module-native-protocol-unix auth-anonymous=1 socket=$pulse/native" \
      "--load=module-null-sink sink_name=banco" >"$work/pulse.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -S "$pulse/native" ] && break; sleep 0.1; done
  if [ -S "$pulse/native" ]; then
    export PULSE_SERVER="unix:$pulse/native"
    sound="private PulseAudio server, null output"
  fi
fi
[ -n "${PULSE_SERVER:-}" ] || export PULSE_SERVER="unix:$work/no-sound-server"

# ---- measurements --------------------------------------------------------------
echo "measuring start-up ($runs runs each, taking turns)..." >&2
"$bin/analisi-lancio" "$runs" 2 \
  -- iniziale "$bin/analisi-avvio" iniziale \
  -- esercizio "$bin/analisi-avvio" esercizio \
  -- metro "$bin/analisi-metro" >"$work/avvio" 2>>"$log"
echo "measuring the corpus..." >&2
"$bin/analisi-bench" corpus 2000 >"$work/corpus" 2>>"$log"
echo "measuring $answers answers (and ${rest} s of rest before each of three memory readings)..." >&2
"$bin/analisi-bench" risposte "$answers" --quiete "$rest" >"$work/risposte" 2>>"$log"
if [ "$callgrind" = yes ]; then
  echo "counting start-up instructions under callgrind..." >&2
  for who in esercizio metro; do
    program=("$bin/analisi-avvio" esercizio)
    [ "$who" = esercizio ] || program=("$bin/analisi-metro")
    # %p: a child the toolkit forks (to look for a session bus) writes its own file.
    valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.avvio-$who.%p" \
      --log-file="$work/valgrind.avvio-$who.%p.log" "${program[@]}" >/dev/null 2>>"$log"
  done
  for view in gestore schermo; do
    echo "counting instructions of $((callgrind_answers - 100)) answers under callgrind ($view)..." >&2
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$work/callgrind.$view" \
      --log-file="$work/valgrind.$view.log" \
      "$bin/analisi-bench" risposte "$callgrind_answers" --callgrind "$view" >"$work/risposte-cg.$view" 2>>"$log"
  done
fi

# ---- report ---------------------------------------------------------------------
field() {  # field FILE LABEL KEY
  awk -v label="$2" -v key="$3" '$1 == label { for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }' "$1"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "met" : "MISSED" }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }

a=$work/avvio
ini_ms=$(field "$a" iniziale median_ms); ese_ms=$(field "$a" esercizio median_ms); met_ms=$(field "$a" metro median_ms)
ini_cpu=$(field "$a" iniziale cpu_ms); ese_cpu=$(field "$a" esercizio cpu_ms); met_cpu=$(field "$a" metro cpu_ms)
ini_kb=$(field "$a" iniziale peak_rss_kb); ese_kb=$(field "$a" esercizio peak_rss_kb); met_kb=$(field "$a" metro peak_rss_kb)
r_ini=$(ratio "$ini_ms" "$met_ms"); r_ese=$(ratio "$ese_ms" "$met_ms"); r_kb=$(ratio "$ese_kb" "$met_kb")

c=$work/corpus
leggi_us=$(field "$c" corpus leggi_median_us); tabelle_us=$(field "$c" corpus tabelle_median_us); corpus_n=$(field "$c" corpus n)

r=$work/risposte
wrong=$(field "$r" risposte sbagliate); series=$(field "$r" risposte serie); sentences=$(field "$r" risposte frasi)
rss_a=$(field "$r" risposte rss_inizio_kb); rss_m=$(field "$r" risposte rss_meta_kb); rss_b=$(field "$r" risposte rss_fine_kb)
heap_a=$(field "$r" risposte heap_inizio_kb); heap_m=$(field "$r" risposte heap_meta_kb); heap_b=$(field "$r" risposte heap_fine_kb)

ir() {  # ir VIEW: instructions per answer
  local counted total
  counted=$(field "$work/risposte-cg.$1" risposte callgrind_contate)
  total=$(awk '/^(summary|totals):/ { print $2; exit }' "$work/callgrind.$1")
  awk -v t="$total" -v n="$counted" 'BEGIN { printf "%.2f M", t / n / 1e6 }'
}
ir_g="-"; ir_s="-"
if [ "$callgrind" = yes ]; then ir_g=$(ir gestore); ir_s=$(ir schermo); fi
startup_ir() {  # startup_ir WHO: instructions of the start-up (the largest file is the process itself)
  local f
  f=$(ls -S "$work"/callgrind.avvio-"$1".* | head -n 1)
  awk '/^(summary|totals):/ { print $2; exit }' "$f"
}
fallback_sorts() {  # how often fontconfig sorted every face for a fallback during the start-up
  local f
  f=$(ls -S "$work"/callgrind.avvio-esercizio.* | head -n 1)
  callgrind_annotate --tree=calling --threshold=100 "$f" 2>/dev/null | grep -E '> +[^ ]*FcFontSort ' \
    | grep -oE '\(([0-9,]+)x\)' | tr -d '(),x' | awk '{ n += $1 } END { print n + 0 }'
}

qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo "?")
cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
echo
echo "Analisi grammaticale: ARTICOLI, benchmark of $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores ($cpu), load $(cut -d' ' -f1-3 /proc/loadavg) at the end"
echo "Qt $qt; Xvfb $screen; sound: $sound"
echo "command: bench/run.sh --runs $runs --answers $answers$([ "$callgrind" = yes ] || echo ' --no-callgrind')"
echo
printf '%-44s %12s %12s %7s %9s\n' "START-UP, process start to first frame" "program" "yardstick" "ratio" "target"
printf '%-44s %9.1f ms %9.1f ms %7s\n' "  start window" "$ini_ms" "$met_ms" "$r_ini"
printf '%-44s %9.1f ms %9.1f ms %7s %9s  %s\n' "  exercise window with a sentence" "$ese_ms" "$met_ms" "$r_ese" "<= 1.25" "$(verdict "$r_ese" 1.25)"
printf '%-44s %9.1f ms %9.1f ms %7s\n' "  processor time to the exercise window" "$ese_cpu" "$met_cpu" "$(ratio "$ese_cpu" "$met_cpu")"
if [ "$callgrind" = yes ]; then
  ir_e=$(startup_ir esercizio); ir_m=$(startup_ir metro)
  printf '%-44s %10.1f M %10.1f M %7s\n' "  instructions to the exercise window" "$(awk -v v="$ir_e" 'BEGIN { print v / 1e6 }')" \
    "$(awk -v v="$ir_m" 'BEGIN { print v / 1e6 }')" "$(ratio "$ir_e" "$ir_m")"
  echo "  fontconfig fallback sorts during that start-up: $(fallback_sorts) (each costs about 2.7 M instructions)"
fi
echo "  medians of $runs runs each (2 warm-up runs dropped), the programs taking turns;"
echo "  the program's start window alone takes ${ini_cpu} ms of processor time"
printf '%-44s %12s %12s %7s %9s  %s\n' "PEAK RESIDENT MEMORY, to the exercise window" "$(mb "$ese_kb")" "$(mb "$met_kb")" "$r_kb" "<= 1.20" "$(verdict "$r_kb" 1.20)"
printf '%-44s %12s\n' "  to the start window" "$(mb "$ini_kb")"
echo
echo "ONE JUDGED ANSWER: $answers answers, $wrong wrong, over $sentences sentences, $series results windows;"
echo "the feedback second passes at once (the frame it shows is still drawn)"
printf '  %-38s %9s %9s %9s %9s %9s %10s\n' "wall time, us" "median" "p99" "slowest" "cpu med" "cpu p99" "instr."
line() {  # line LABEL PREFIX [CPU-PREFIX] [IR]
  local cm="" cp=""
  if [ -n "${3:-}" ]; then
    cm=$(printf '%.0f' "$(field "$r" risposte "${3}_median_us")"); cp=$(printf '%.0f' "$(field "$r" risposte "${3}_p99_us")")
  fi
  printf '  %-38s %9.0f %9.0f %9.0f %9s %9s %10s\n' "$1" "$(field "$r" risposte "${2}_median_us")" \
    "$(field "$r" risposte "${2}_p99_us")" "$(field "$r" risposte "${2}_max_us")" "$cm" "$cp" "${4:-}"
}
line "click to the handler's return" gestore gestore_cpu "$ir_g"
line "  answers that close no series" gestore_senza_risultati
line "  answers that build the results window" gestore_con_risultati
line "click to the outcome on the screen" schermo schermo_cpu "$ir_s"
p99=$(field "$r" risposte gestore_p99_us)
printf '  %-38s %9s  %s\n' "target: handler's return, p99" "<= 1000" "$(verdict "$p99" 1000)"
echo "  (the time the results window is up is the pupil's and is not counted; cpu: processor"
echo "   time of the program's thread; instr.: callgrind, mean of $((callgrind_answers - 100)) answers after the first 100)"
echo
printf '%-44s %9.1f us %24s  %s\n' "CORPUS: corpus::leggi on the built-in text" "$leggi_us" "<= 200 us" "$(verdict "$leggi_us" 200)"
printf '%-44s %9.1f us\n' "  filling the five tables from it" "$tabelle_us"
echo "  medians of $corpus_n readings"
echo
echo "MEMORY, each reading after ${rest} s of rest (replies the sound server owes settle);"
echo "the first 100 answers show only a few sentences: glyphs of the others are cached later"
printf '  %-42s %12s %12s %9s\n' "" "heap in use" "resident" "target"
printf '  %-42s %+9d kB %+9d kB %9s  %s\n' "after $answers answers minus after 100" "$((heap_b - heap_a))" "$((rss_b - rss_a))" \
  "<= 16 kB" "$(verdict "$((heap_b - heap_a))" 16)"
printf '  %-42s %+9d kB %+9d kB %9s  %s\n' "after $answers minus after $((answers / 2))" "$((heap_b - heap_m))" "$((rss_b - rss_m))" \
  "<= 16 kB" "$(verdict "$((heap_b - heap_m))" 16)"
if [ -s "$log" ]; then
  echo
  echo "messages from the programs (first 5 distinct lines):"
  sort -u "$log" | head -n 5 | sed 's/^/  /'
fi
