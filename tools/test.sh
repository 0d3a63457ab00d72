#!/usr/bin/env bash
# Builds everything and runs every test, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
# Tests stay at most 30 % of the C++ lines. Printed but not yet enforced here
# while the tests are being trimmed to it; the script itself fails above it.
python3 tools/test-share.py || echo "test share above 30 %: not enforced by this script yet"
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
