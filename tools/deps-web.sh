#!/usr/bin/env bash
# Installs what the web edition needs to build and to be tested on Debian 12:
# clang, lld and libc++ 22 for wasm32 (from bookworm-security), wasi-libc,
# Node.js for the module test, and Chromium with its WebDriver for the page
# tests. Skips what is already there; safe to run again.
set -euo pipefail

packages=(
    clang-22 lld-22 libc++-22-dev-wasm32 libclang-rt-22-dev-wasm32 wasi-libc
    nodejs chromium chromium-driver python3-selenium
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
