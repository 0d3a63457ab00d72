#!/usr/bin/env bash
# Takes a picture of the window on a virtual X server and writes it to
# docs/screenshot.png. Needs Xvfb (xvfb-run), ImageMagick's import and
# xwininfo (x11-utils). Usage: tools/screenshot.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/screenshot}
if [ ! -x "$build/window/korvexa-screencalc" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build "$build" --target korvexa-screencalc
fi
program=$(realpath "$build/window/korvexa-screencalc")
out=$(realpath docs)/screenshot.png

export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" bash -c '
    set -euo pipefail
    "$0" & app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    window=""
    for _ in $(seq 100); do
        window=$(xwininfo -root -tree | awk "/\"korvexa-screencalc\"/ && / 657x548/ { print \$1; exit }")
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
    sleep 1.5 # let it paint and the clock tick
    import -window "$window" -depth 8 -strip -define png:exclude-chunks=date,time "$1"
' "$program" "$out"
echo "wrote $out"
