#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into a
# scratch root, validates the desktop entry and metainfo there and runs the
# installed screencalc. Usage: tools/package-check.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/korvexa-screencalc_*.deb | head -n 1)
echo "package: $deb"
echo "depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "no Qt dependency found"; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

id=example.korvexa.screencalc
for f in usr/bin/korvexa-screencalc usr/bin/screencalc \
         usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/$id.png \
         usr/share/icons/hicolor/128x128/apps/$id.png \
         usr/share/icons/hicolor/256x256/apps/$id.png; do
    [ -e "$root/$f" ] || { echo "missing from the package: /$f"; exit 1; }
done

desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml"

want='{"w":"2214 ","h":"1245 ","inch1":"100  ","w1":"2238 ","h1":"1269 ","bkw":"12"}'
got=$("$root/usr/bin/screencalc" --diagonal 100 --json)
[ "$got" = "$want" ] || { echo "installed screencalc printed: $got"; exit 1; }
echo "package check passed"
