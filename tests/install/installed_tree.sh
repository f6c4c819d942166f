#!/usr/bin/env bash
# The tree `cmake --install` leaves under a prefix: the drill, its checker and
# the sentence editor, the sound cues where the program looks for them, and
# desktop files that pass their validators.
#
# installed_tree.sh PREFIX APP_ID VERSION BINDIR DATADIR DOCDIR EDITOR_ID
set -uo pipefail
prefix=$1 id=$2 version=$3 bindir=$4 datadir=$5 docdir=$6 editor_id=$7

failures=0
check() {
  local what=$1
  shift
  if "$@" >/tmp/installed_tree.$$ 2>&1; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    sed 's/^/    /' /tmp/installed_tree.$$
    failures=$((failures + 1))
  fi
  rm -f /tmp/installed_tree.$$
}

bin=$prefix/$bindir
share=$prefix/$datadir
desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml
icon=$share/icons/hicolor/scalable/apps/$id.svg
sounds=$share/analisi-articoli/suoni

check "the program, editor-frasi and verifica-corpus are installed, and nothing else in bin" \
  test "$(cd "$bin" && ls | tr '\n' ' ')" = "analisi-articoli editor-frasi verifica-corpus "
check "the program is executable" test -x "$bin/analisi-articoli"
check "the installed verifica-corpus runs" "$bin/verifica-corpus" --help
check "no sound folder beside the installed program" test ! -e "$bin/suoni"

cues="conga rumorevia premivia esatto esatto2 esatto3 esatto4 esatto5 sbagliato1 congafine"
check "ten sound cues in share/analisi-articoli/suoni" \
  test "$(ls "$sounds" | sort | tr '\n' ' ')" = "$(printf '%s.wav\n' $cues | sort | tr '\n' ' ')"

check "the desktop file validates" desktop-file-validate "$desktop"
check "the desktop file starts the installed program" grep -qx 'Exec=analisi-articoli' "$desktop"
check "the desktop file names the installed icon" grep -qx "Icon=$id" "$desktop"
check "the desktop file is in Education" grep -q '^Categories=Education;' "$desktop"

editor_desktop=$share/applications/$editor_id.desktop
check "the editor's desktop file validates" desktop-file-validate "$editor_desktop"
check "the editor's menu entry is \"Editor delle frasi\", in Education" \
  bash -c "grep -qx 'Name=Editor delle frasi' '$editor_desktop' && grep -q '^Categories=Education;' '$editor_desktop'"
check "the editor's desktop file starts it and shows the program's icon" \
  bash -c "grep -qx 'Exec=editor-frasi %f' '$editor_desktop' && grep -qx 'Icon=$id' '$editor_desktop'"
check "the installed editor-frasi runs" env QT_QPA_PLATFORM=offscreen "$bin/editor-frasi" --help
check "the manual pages are installed" \
  test -f "$share/man/man1/analisi-articoli.1.gz" -a -f "$share/man/man1/verifica-corpus.1.gz" -a -f "$share/man/man1/editor-frasi.1.gz"

check "the metainfo validates" appstreamcli validate --no-net "$metainfo"
check "the metainfo carries the component id" grep -q "<id>$id</id>" "$metainfo"
check "the metainfo launches the desktop file" \
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
check "the metainfo's newest release is $version" \
  bash -c "grep -m1 '<release ' '$metainfo' | grep -q 'version=\"$version\"'"

check "the icon is an SVG document" bash -c "xmllint --xpath 'name(/*)' '$icon' | grep -qx svg"
check "the icon renders" bash -c "rsvg-convert --width 64 --height 64 '$icon' | head -c 4 | grep -qa PNG"

check "the licence is in the documentation folder" grep -q 'GPL-3.0-or-later' "$prefix/$docdir/copyright"

echo "installed tree: $failures check(s) failed"
[ "$failures" -eq 0 ]
