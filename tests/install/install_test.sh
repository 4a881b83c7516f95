#!/bin/bash
# The game installs as a Linux desktop expects: staged below DESTDIR, every
# file in its place, the desktop entry and metainfo valid, the icons RGBA
# PNGs of their sizes, the manual pages clean; the installed tree, moved
# elsewhere, runs on its own data pack, and level authors can rebuild a
# mission from the installed sources with the installed tools. The Debian
# package holds the same files, asks for the libraries' packages instead of
# bringing them, and runs where it is unpacked.
# Usage: install_test.sh BUILD_DIR COMPONENT BINDIR DATADIR MANDIR DOCDIR APP_ID
set -u
build=$1
component=$2
bindir=$3
datadir=$4
mandir=$5
docdir=$6
app_id=$7

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

source_levels=$(cd "$(dirname "$0")/../../content/levels" && pwd)

# The installed files every install must have, relative to the prefix.
expected_files() {
  local size
  printf '%s\n' "$bindir/zorbulant" "$bindir/zorbulant-levelc" "$bindir/zorbulant-sprites" \
    "$datadir/applications/$app_id.desktop" "$datadir/metainfo/$app_id.metainfo.xml" \
    "$datadir/icons/hicolor/scalable/apps/$app_id.svg" \
    "$mandir/man6/zorbulant.6.gz" "$mandir/man1/zorbulant-levelc.1.gz" \
    "$mandir/man1/zorbulant-sprites.1.gz" "$docdir/README.md" \
    "$datadir/zorbulant/authoring/levels/README.md" \
    "$datadir/zorbulant/authoring/tiles/zorbulant.tsj" \
    "$datadir/zorbulant/authoring/tiles/zorbulant.png" \
    "$datadir/zorbulant/authoring/tiles/zorbulant.tiles" \
    "$datadir/zorbulant/authoring/sprites/hero.txt"
  for size in 16 24 32 48 64 128 256; do
    echo "$datadir/icons/hicolor/${size}x$size/apps/$app_id.png"
  done
  (cd "$build/data" && ls) | sed "s|^|$datadir/zorbulant/|"
  (cd "$source_levels" && ls) | sed "s|^|$datadir/zorbulant/authoring/levels/|"
}

missing_files() {  # missing_files PREFIX: prints what is not there
  expected_files | while read -r file; do [ -f "$1/$file" ] || echo "$1/$file"; done
}

icons_are_rgba_of_their_size() {  # icons_are_rgba_of_their_size PREFIX
  local size
  for size in 16 24 32 48 64 128 256; do
    file "$1/$datadir/icons/hicolor/${size}x$size/apps/$app_id.png" |
      grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || return 1
  done
}

manual_pages_are_clean() {  # manual_pages_are_clean PREFIX: groff warns of nothing
  local page warnings
  for page in man6/zorbulant.6.gz man1/zorbulant-levelc.1.gz man1/zorbulant-sprites.1.gz; do
    warnings=$(gzip -dc "$1/$mandir/$page" | groff -t -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || { echo "$page: $warnings"; return 1; }
  done
}

ids_agree() {  # ids_agree PREFIX: one id names the entry, the metainfo and the icon
  grep -qx "Icon=$app_id" "$1/$datadir/applications/$app_id.desktop" &&
    grep -q "<id>$app_id</id>" "$1/$datadir/metainfo/$app_id.metainfo.xml" &&
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
      "$1/$datadir/metainfo/$app_id.metainfo.xml"
}

# Staged below DESTDIR. The component's own install keeps its list of files
# apart from the one `make uninstall` reads.
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr --component "$component" > "$work/install.log"
check "the install stages below DESTDIR" [ $? -eq 0 ]
check "nothing is installed outside the prefix" [ "$(ls "$stage")" = usr ]
missing=$(missing_files "$stage/usr")
check "every file is installed${missing:+ (missing: $missing)}" [ -z "$missing" ]
check "the programs are executable" \
  test -x "$stage/usr/$bindir/zorbulant" -a -x "$stage/usr/$bindir/zorbulant-levelc" \
  -a -x "$stage/usr/$bindir/zorbulant-sprites"
check "the desktop entry is valid" \
  desktop-file-validate "$stage/usr/$datadir/applications/$app_id.desktop"
check "the metainfo is valid" \
  appstreamcli validate --no-net "$stage/usr/$datadir/metainfo/$app_id.metainfo.xml"
check "the entry, the metainfo and the icon share the id $app_id" ids_agree "$stage/usr"
check "the icons are RGBA PNGs of their sizes" icons_are_rgba_of_their_size "$stage/usr"
check "the scalable icon is an SVG picture" \
  grep -q '<svg xmlns="http://www.w3.org/2000/svg"' \
  "$stage/usr/$datadir/icons/hicolor/scalable/apps/$app_id.svg"
check "the manual pages format without a warning" manual_pages_are_clean "$stage/usr"

# A level author's round: the installed compiler makes a mission from the
# installed sources exactly as the build did, and the installed sprite tool
# draws the shared sprites' contact sheet.
authoring=$stage/usr/$datadir/zorbulant/authoring
mkdir "$work/my-data"
"$stage/usr/$bindir/zorbulant-levelc" "$authoring/levels/levelaab.tmj" "$work/my-data" \
  > "$work/levelc.log" 2>&1
check "the installed compiler builds a mission from the installed map" \
  cmp -s "$work/my-data/levelaab.jmp" "$build/data/levelaab.jmp"
check "the installed compiler finds the mission's music in the installed pack" \
  "$stage/usr/$bindir/zorbulant-levelc" --check "$work/my-data/levelaab.jmp" \
  --data "$stage/usr/$datadir/zorbulant"
"$stage/usr/$bindir/zorbulant-sprites" --contact-sheet "$authoring/sprites" "$work/sheet.png" \
  > "$work/sprites.log" 2>&1
check "the installed sprite tool draws the shared sprites" \
  bash -c "file '$work/sheet.png' | grep -q 'PNG image data'"

# The tree moved elsewhere as a whole still runs without --data. The picture
# of its tenth turn is the one of the build's pack; with the moved pack
# emptied it is not, so it was the moved pack the game ran on, though the
# build's own pack is still there.
moved=$work/moved/somewhere/else
mkdir -p "$(dirname "$moved")"
mv "$stage/usr" "$moved"
"$build/src/zorbulant" --headless --turns 10 --data "$build/data" \
  --shot "10=$work/reference.png" > "$work/reference.log" 2>&1
"$moved/$bindir/zorbulant" --headless --turns 10 --shot "10=$work/moved.png" \
  > "$work/moved.log" 2>&1
check "the moved install runs ten turns without --data" [ $? -eq 0 ]
check "the moved install shows the pack's picture" cmp -s "$work/moved.png" "$work/reference.png"
mv "$moved/$datadir/zorbulant" "$moved/$datadir/zorbulant.away"
mkdir "$moved/$datadir/zorbulant"
"$moved/$bindir/zorbulant" --headless --turns 10 --shot "10=$work/emptied.png" \
  > "$work/emptied.log" 2>&1
check "the moved install reads its own pack, not the build's" \
  bash -c "[ -s '$work/emptied.png' ] && ! cmp -s '$work/emptied.png' '$work/reference.png'"

# The Debian package.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1
check "cpack builds the package" [ $? -eq 0 ]
deb=$(find "$work/package" -maxdepth 1 -name "zorbulant_*.deb" | head -1)
named_as_debian_names_it() {
  [ -n "$deb" ] &&
    [ "$(basename "$deb")" = "zorbulant_$(dpkg-deb -f "$deb" Version)_$(dpkg --print-architecture).deb" ]
}
check "the package is named zorbulant_VERSION_ARCH.deb" named_as_debian_names_it
dpkg-deb -f "$deb" > "$work/control"
# The names of the packages the package depends on, one a line.
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' > "$work/depends"
for library in fonts-dejavu-core libsdl2-2.0-0 libxmp4 libpng16-16 libfreetype6 \
  libfontconfig1 libgif7 libc6 libstdc++6; do
  check "the package depends on $library" grep -qxF "$library" "$work/depends"
done
check "the package is in section games" grep -qx "Section: games" "$work/control"
check "the package names a maintainer" grep -qE "^Maintainer: .+ <.+@.+>$" "$work/control"
check "the package describes itself in short and at length" \
  bash -c "[ \$(dpkg-deb -f '$deb' Description | wc -l) -ge 3 ]"
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./||' > "$work/contents"
unpacked_missing=$(expected_files | sed 's|^|usr/|' | grep -vxFf "$work/contents")
check "the package holds every installed file${unpacked_missing:+ (missing: $unpacked_missing)}" \
  [ -z "$unpacked_missing" ]
check "the package brings no libraries of its own" bash -c "! grep -q '\.so' '$work/contents'"
check "the package installs only below /usr" bash -c "! grep -qv '^usr/\|^\$' '$work/contents'"

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
check "the packaged programs are stripped" \
  bash -c "file '$unpacked/usr/$bindir/zorbulant' | grep -q ', stripped'"
"$unpacked/usr/$bindir/zorbulant" --headless --turns 10 --shot "10=$work/unpacked.png" \
  > "$work/unpacked.log" 2>&1
check "the unpacked package runs ten turns without --data" [ $? -eq 0 ]
check "the unpacked package shows its pack's picture" \
  cmp -s "$work/unpacked.png" "$work/reference.png"

if [ "$failures" -ne 0 ]; then
  cat "$work"/*.log
fi
echo "$failures failed"
[ "$failures" -eq 0 ]
