#!/usr/bin/env bash
# Builds the calculator window and starts it, after installing only what that
# needs (tools/deps.sh run). Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh run
# The program alone: no tests, so neither GoogleTest nor Qt Test is needed.
cmake --preset release -DBUILD_TESTING=OFF --log-level=WARNING
cmake --build --preset release --target korvexa-screencalc
exec build/release/window/korvexa-screencalc "$@"
