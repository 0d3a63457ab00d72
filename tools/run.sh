#!/usr/bin/env bash
# Builds the calculator window and screencalc, its command-line companion, and
# starts the window, after installing only what that needs (tools/deps.sh
# run). Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh run
# The programs alone: no tests, so neither GoogleTest nor Qt Test is needed.
cmake --preset release -DBUILD_TESTING=OFF --log-level=WARNING
cmake --build --preset release --target korvexa-screencalc screencalc
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    # The window will say that it needs a display; say where the other one is.
    echo "No graphical display here; the same sizes on the command line:"
    echo "  build/release/cli/screencalc --diagonal 100     (build/release/cli/screencalc --help)"
fi
exec build/release/window/korvexa-screencalc "$@"
