#!/usr/bin/env bash
# Builds the web edition (preset wasm, in build/wasm; the site in
# build/wasm/site) and checks it: the module against the native screencalc
# on 20,000 random rows, then the page in headless Chromium.
#   tools/web-check.sh [NATIVE_BUILD_DIR]   (default build/ci; screencalc is built there if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build/ci}

bash tools/deps.sh web
cmake --preset wasm >/dev/null
cmake --build --preset wasm
if [ ! -x "$native/cli/screencalc" ]; then
    cmake --build "$native" --target screencalc
fi
node web/tests/module_test.js build/wasm/web/screencalc.wasm "$native/cli/screencalc"
# The page in headless Chromium; screenshots at 360 px and desktop width,
# with and without system CJK fonts, in build/wasm/screenshots.
/usr/bin/python3 web/tests/page_test.py build/wasm/site "$native/cli/screencalc" build/wasm/screenshots
