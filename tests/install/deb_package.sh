#!/usr/bin/env bash
# `cpack -G DEB` from the build folder: the package installs the same tree
# under /usr and declares the Qt 6 libraries and the fonts it needs.
#
# deb_package.sh CPACK BUILD_DIR WORK_DIR APP_ID VERSION EDITOR_ID
set -uo pipefail
cpack=$1 build=$2 work=$3 id=$4 version=$5 editor_id=$6

failures=0
check() {
  local what=$1
  shift
  if "$@" >/tmp/deb_package.$$ 2>&1; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    sed 's/^/    /' /tmp/deb_package.$$
    failures=$((failures + 1))
  fi
  rm -f /tmp/deb_package.$$
}

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  sed 's/^/    /' "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb=$work/analisi-articoli_${version}_$(dpkg --print-architecture).deb
check "cpack made $(basename "$deb")" test -f "$deb"

dpkg-deb -f "$deb" >"$work/control"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"

check "package analisi-articoli $version" \
  bash -c "grep -qx 'Package: analisi-articoli' '$work/control' && grep -qx 'Version: $version' '$work/control'"
check "section education" grep -qx 'Section: education' "$work/control"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libc6 libstdc++6; do
  check "depends on $package, with a version" grep -Eq "(^|, )${package//+/\\+} \(>= [^)]+\)(,|$)" <<<"$depends"
done
for package in fonts-liberation2 fonts-urw-base35; do
  check "depends on $package" grep -Eq "(^|, )$package(,|$)" <<<"$depends"
done

for file in /usr/bin/analisi-articoli /usr/bin/verifica-corpus /usr/bin/editor-frasi \
  /usr/share/applications/$id.desktop /usr/share/applications/$editor_id.desktop /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/doc/analisi-articoli/copyright \
  /usr/share/doc/analisi-articoli/changelog.gz \
  /usr/share/man/man1/analisi-articoli.1.gz /usr/share/man/man1/verifica-corpus.1.gz \
  /usr/share/man/man1/editor-frasi.1.gz; do
  check "holds $file" grep -qx "$file" "$work/files"
done
check "holds the ten sound cues" \
  test "$(grep -c '^/usr/share/analisi-articoli/suoni/[a-z0-9]*\.wav$' "$work/files")" -eq 10
check "nothing outside /usr, no test program" \
  bash -c "! grep -v -e '^/usr/' -e '^/$' '$work/files' && ! grep -q '/bin/test_' '$work/files'"

dpkg-deb -x "$deb" "$work/root"
for program in analisi-articoli verifica-corpus editor-frasi; do
  check "the packaged $program is stripped, .comment too" \
    bash -c "! readelf -S '$work/root/usr/bin/$program' | grep -Eq '\.debug_info|\.comment'"
done
check "the changelog's newest entry is $version" \
  bash -c "zcat '$work/root/usr/share/doc/analisi-articoli/changelog.gz' | head -1 | grep -q '^analisi-articoli ($version) '"
check "the packaged metainfo validates" \
  appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"

# Debian's package checker, every tag shown; errors and warnings fail.
if command -v lintian >/dev/null; then
  lintian -EvIL +pedantic --fail-on error,warning "$deb" >"$work/lintian" 2>&1
  status=$?
  sed 's/^/    /' "$work/lintian"
  check "lintian reports no error and no warning" test "$status" -eq 0
else
  echo "skip: lintian is not installed"
fi

[ "$failures" -eq 0 ] && rm -rf "$work"
echo "package: $failures check(s) failed"
[ "$failures" -eq 0 ]
