#!/usr/bin/env bash
# Builds everything and runs every test, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
# Tests stay at most a third of the C++ lines.
python3 tools/test-share.py
# A bounded fuzzing run of the core; fuzz/run.sh SECONDS runs it longer.
bash fuzz/run.sh 60
cmake --workflow --preset ci
# The web edition: its module against screencalc, its page in Chromium.
bash tools/web-check.sh build/ci
# The window once more, on a real (headless) Wayland compositor.
bash tools/wayland-smoke.sh build/ci
bash tools/package-check.sh build/ci
# The Qt-free parts cross-built for Windows, their tests run under Wine.
bash tools/windows-check.sh
# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --workflow --preset asan
