#!/usr/bin/env bash
# Builds the web edition (preset wasm, in build/wasm; the site in
# build/wasm/site) and checks it: the CTest tests labelled web of the native
# build (ci preset), which build the wasm preset first and then check the
# module against the native screencalc, the page in headless Chromium and
# Lighthouse, whose reports go to build/wasm/lighthouse. Then screenshots of
# the page in build/wasm/screenshots, to look at.
#   tools/web-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/deps.sh web
cmake --preset ci >/dev/null
cmake --build build/ci --target screencalc
ctest --preset ci -L web
/usr/bin/python3 tools/page-screenshots.py build/wasm/site
