#!/usr/bin/env bash
# Checks that a built program carries the hardening of a release build:
# position-independent executable, full RELRO (relro + bind now), a
# non-executable stack, the stack protector, and _FORTIFY_SOURCE in the
# compile commands of its build tree (the program calls no fortifiable libc
# function directly, so the binary alone cannot show it).
#   tools/verifica-indurimento.sh [PROGRAM]     default: build/bin/analisi-articoli
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/bin/analisi-articoli}"
build="$(cd "$(dirname "$program")/.." && pwd)"
failed=0
check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@" >/dev/null 2>&1; then echo "ok    $what"; else echo "FAIL  $what"; failed=1; fi
}

check "position-independent executable (ELF type DYN, PIE flag)" \
  bash -c "readelf -hW '$program' | grep -q 'Type:.*DYN' && readelf -dW '$program' | grep -q 'FLAGS_1.*PIE'"
check "RELRO segment" bash -c "readelf -lW '$program' | grep -q GNU_RELRO"
check "bind now (full RELRO)" bash -c "readelf -dW '$program' | grep -Eq 'BIND_NOW|FLAGS_1.*NOW'"
check "non-executable stack" bash -c "readelf -lW '$program' | grep GNU_STACK | grep -vq RWE"
check "stack protector (__stack_chk_fail)" bash -c "readelf --dyn-syms -W '$program' | grep -q __stack_chk_fail"
commands="$build/compile_commands.json"
fortified() {  # every compile command of the tree carries both flags
  local all with
  all=$(grep -c '"command"' "$1")
  with=$(grep '"command"' "$1" | grep -e '-D_FORTIFY_SOURCE=3' | grep -c -e '-fstack-protector-strong')
  [ "$all" -gt 0 ] && [ "$all" -eq "$with" ]
}
check "every compile command has -D_FORTIFY_SOURCE=3 and -fstack-protector-strong" fortified "$commands"
check "the compiler and glibc here honour _FORTIFY_SOURCE=3" bash -c \
  "echo '#include <string.h>' | \${CXX:-c++} -x c++ -O2 -D_FORTIFY_SOURCE=3 -dM -E - | grep -q '__USE_FORTIFY_LEVEL 3'"
exit $failed
