#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever the build, the program and the
# tests need and the machine lacks. Safe to run again: present packages are
# skipped, and nothing is fetched when all are there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config          # toolchain
  qt6-base-dev qt6-multimedia-dev libgl-dev # Qt 6 Widgets, Multimedia, Test
  fonts-liberation2 fonts-urw-base35        # free faces for Arial and Bookman
  pulseaudio pulseaudio-utils               # the real-audio test's sound server
  desktop-file-utils appstream              # validate the installed .desktop and metainfo files
  librsvg2-bin libxml2-utils                # render the icon's PNG sizes at build time; parse the installed SVG
  dpkg-dev file                             # cpack's .deb: dpkg-shlibdeps finds the Qt 6 dependencies
  strace python3                            # the test that traces the program's system calls
  xvfb xauth x11-utils                      # an X server (xvfb-run needs xauth) for the windows' X properties, read with xprop; a display the real-audio test takes away
  lintian                                   # the package test runs Debian's package checker on the .deb
)
# `tools/deps.sh affidabilita` adds what the reliability checks of the README
# need: clang and its fuzzer runtime (tools/fuzz.sh, and the short fuzzing
# run in the test suite, skipped without them), clang-tidy and cppcheck
# (tools/analisi-statica.sh).
if [ "${1:-}" = "affidabilita" ]; then
  packages+=(clang libclang-rt-14-dev clang-tidy cppcheck)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
