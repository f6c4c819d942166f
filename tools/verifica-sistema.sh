#!/usr/bin/env bash
# Runs the program headless for a few seconds under strace (the start window,
# then the exercise window after its six seconds) and checks what it asks of
# the system: no file written or created, no network socket, and no file of
# its own read but its sound cues ("suoni") and the sentence file in the data
# folder (a copy of the built-in one, put there for the run). Prints what it saw.
#   tools/verifica-sistema.sh [PROGRAM [SECONDS]]   default: build/bin/analisi-articoli, 10
# Exits 77 (skipped) when strace is missing or may not trace here.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$root/build/bin/analisi-articoli}")"
seconds="${2:-10}"
command -v strace >/dev/null && command -v python3 >/dev/null || { echo "strace or python3 not found, skipped"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
strace -f -qq -o /dev/null true 2>/dev/null || { echo "strace may not trace here, skipped"; exit 77; }

mkdir -m 700 "$work/xdg"
mkdir -p "$work/dati/analisi-articoli"
cp "$root/corpus/frasi.tsv" "$work/dati/analisi-articoli/frasi.tsv"
set +e
XDG_DATA_HOME="$work/dati" XDG_DATA_DIRS="$work/nessuna" XDG_RUNTIME_DIR="$work/xdg" QT_QPA_PLATFORM=offscreen timeout -s TERM "$seconds" \
  strace -f -qq -o "$work/trace" -e trace=%file,%network "$program" >/dev/null 2>&1
status=$?
set -e
# timeout's 124 is the expected end; anything else is the program's own.
[ "$status" -eq 124 ] || { echo "the program ended on its own with status $status"; exit 1; }

python3 - "$work/trace" "$(dirname "$program")" "$work/xdg" "$work/dati/analisi-articoli/frasi.tsv" <<'PY'
import re, sys
trace, appdir, runtime, sentences = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
# The per-user runtime folder is where the sound library looks for the sound
# server (it may create its "pulse" folder there); nothing is kept in it.
runtime_ok = lambda path: path == runtime or path.startswith(runtime + "/")
system = ("/usr/", "/lib/", "/lib64/", "/etc/", "/proc/", "/sys/", "/dev/", "/var/cache/fontconfig",
          "/run/", "/var/run/")
writes, sockets, unix, own_reads, runtime_use = [], [], set(), set(), set()
call = re.compile(r'^\d+\s+(\w+)\((.*)\)\s+=\s+(-?\d+|\?)')
for line in open(trace):
    m = call.match(line)
    if not m:
        continue
    name, args, result = m.groups()
    ok = result not in ("?",) and not result.startswith("-")
    path = re.search(r'"([^"]*)"', args)
    path = path.group(1) if path else ""
    if runtime_ok(path):
        if ok:
            runtime_use.add(name + " " + (path[len(runtime):] or "/"))
        continue
    if name in ("open", "openat", "openat2", "creat") and ok:
        if name == "creat" or re.search(r'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND', args):
            if not path.startswith("/dev/"):
                writes.append(line.strip())
        elif not path.startswith(system) and path.startswith("/"):
            own_reads.add(path)
    elif name in ("mkdir", "mkdirat", "rename", "renameat", "renameat2", "unlink", "unlinkat", "rmdir",
                  "link", "linkat", "symlink", "symlinkat", "truncate", "chmod", "fchmodat", "chown",
                  "utimensat") and ok:
        writes.append(line.strip())
    elif name == "socket":
        family = args.split(",")[0]
        if family != "AF_UNIX":
            sockets.append(line.strip())
    elif name == "connect" and "AF_UNIX" in args:
        unix.add(re.sub(r'.*sun_path=', '', args.split("}")[0]).replace(runtime, "$XDG_RUNTIME_DIR")
                 + ("" if ok else " (refused)"))

# Its sound cues: beside the program, or in the data folder of an install.
import os.path
installed = os.path.normpath(os.path.join(appdir, "..", "share", "analisi-articoli", "suoni"))
allowed = (appdir + "/suoni/", installed + "/", appdir + "/analisi-articoli")
others = sorted(p for p in own_reads if not p.startswith(allowed) and p not in (appdir, sentences))
print("files written or created:", len(writes))
for w in writes: print("   ", w)
print("network sockets:", len(sockets))
for s in sockets: print("   ", s)
print("runtime folder (sound server lookup):", ", ".join(sorted(runtime_use)) or "untouched")
print("local (AF_UNIX) connections:", ", ".join(sorted(unix)) or "none")
print("files read outside the system folders:", ", ".join(sorted(own_reads)) or "none")
# The sentence file is looked up and read (read only: a write would be above).
print("sentence file read:", "yes" if sentences in own_reads else "NO")
sys.exit(1 if writes or sockets or others or sentences not in own_reads else 0)
PY
