#!/usr/bin/env bash
# Installs what the tests need (tools/deps.sh test), builds everything and
# runs every test, as CI does. Each stage names itself; a failing stage ends
# the run with its status.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh test

# Each stage's heading gives the time since the start, minutes:seconds.
stage() { printf '\n==== %d:%02d %s\n' $((SECONDS / 60)) $((SECONDS % 60)) "$*"; }

# A root shell without a login session (a container, su, a fresh root) has
# no runtime folder; the tests get a private one instead of Qt's warnings.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

stage "test share: tests between a quarter and a third of the code"
python3 tools/test-share.py

stage "fuzzing the core for 60 s (fuzz/run.sh SECONDS runs it longer)"
bash fuzz/run.sh 60

stage "build with warnings as errors, every GoogleTest and QtTest suite"
cmake --workflow --preset ci

stage "the web edition: its module against screencalc, its page in Chromium"
ctest --preset ci -L web

stage "the window on a real (headless) Wayland compositor"
ctest --preset ci -L wayland

stage "the Debian package"
ctest --preset ci -L package

stage "the Qt-free parts cross-built for Windows, their tests under Wine"
ctest --preset ci -L wine

stage "everything again under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

stage "all tests passed"
