#!/usr/bin/env bash
# Builds everything and runs every test, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake --workflow --preset ci
bash tools/package-check.sh build/ci
