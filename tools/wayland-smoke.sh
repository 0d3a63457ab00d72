#!/usr/bin/env bash
# Runs the window's smoke test on a real Wayland compositor: a headless
# weston on a socket of its own, in a private runtime folder, stopped when
# done. Needs weston and qt6-wayland (tools/deps.sh test installs them).
# Usage: tools/wayland-smoke.sh [BUILD_DIR]   (default build/ci)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/ci}
smoke=$(realpath "$build/window/tests/tst_wayland")
program=$(realpath "$build/window/korvexa-screencalc")
id=$(sed -n 's/^SCREENCALC_APP_ID:[A-Z]*=//p' "$build/CMakeCache.txt")
runtime=$(mktemp -d) # private (mode 700), as Wayland wants it
weston=""
stop() {
    if [ -n "$weston" ]; then
        kill "$weston" 2>/dev/null || true
        wait "$weston" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap stop EXIT

export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=screencalc-smoke
unset DISPLAY # Wayland or nothing
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    --log="$runtime/weston.log" &
weston=$!
for _ in $(seq 100); do
    [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$WAYLAND_DISPLAY" ]; then
    echo "weston did not start:" >&2
    cat "$runtime/weston.log" >&2 || true
    exit 1
fi

# A headless weston has no seat, and Qt 6.4's client for weston's text-input
# protocol (v1) then crashes on the first key; desktops always have a seat.
# Asking for v2 only, which weston lacks, leaves the keys to the window.
export QT_WAYLAND_TEXT_INPUT_PROTOCOL=zwp_text_input_v2 QT_QPA_PLATFORM=wayland LANG=C.UTF-8
"$smoke"

# The program itself gives its desktop entry's name as its Wayland app id,
# which is what links the window to the entry's name and icon there.
WAYLAND_DEBUG=client "$program" 2>"$runtime/program.log" &
app=$!
for _ in $(seq 100); do
    grep -qF "set_app_id(\"$id\")" "$runtime/program.log" && break
    sleep 0.1
done
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
grep -qF "set_app_id(\"$id\")" "$runtime/program.log" || {
    echo "the window did not give its desktop entry as app id" >&2
    grep set_app_id "$runtime/program.log" >&2 || true
    exit 1
}
echo "app id: $id"
