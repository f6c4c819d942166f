#!/usr/bin/env bash
# A long monkey run: random clicks, resizes, closes and clock jumps over the
# lesson's windows, with its invariants checked after every event.
#   tools/monkey.sh [EVENTS [SEED [BUILD_DIR]]]   default: 100000 events, seed 100, build
# BUILD_DIR may be a sanitizer build (build-asan, build-lsan). A failure
# prints the seed and the events that led to it; ANALISI_MONKEY_TRACE=1
# prints every event as it happens.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
events="${1:-100000}"
seed="${2:-100}"
build="${3:-$root/build}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/tools/sanitizers/lsan.supp:print_suppressions=0}"
mkdir -p -m 700 "$build/tests/xdg-runtime"
export XDG_RUNTIME_DIR="$build/tests/xdg-runtime"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false'
start=$(date +%s)
ANALISI_MONKEY_EVENTS="$events" ANALISI_MONKEY_SEED="$seed" "$build/bin/test_monkey"
echo "monkey: $events events from seed $seed in $(( $(date +%s) - start )) s"
