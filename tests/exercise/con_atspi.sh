#!/bin/sh
# Runs a test program on a virtual X server with an accessibility bus of its
# own, as a desktop with a screen reader has: only there does Qt hand its
# accessibility events on. Exits 77 (skipped) where a piece is missing.
for programma in xvfb-run dbus-run-session; do
  command -v "$programma" >/dev/null || exit 77
done
lanciatore=/usr/libexec/at-spi-bus-launcher
[ -x "$lanciatore" ] || exit 77
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec dbus-run-session -- sh -c '
  "$0" &
  bus=$!
  xvfb-run -a "$@" -platform xcb
  esito=$?
  kill "$bus" 2>/dev/null
  exit "$esito"' "$lanciatore" "$@"
