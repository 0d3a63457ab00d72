#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, skipping
# what is already there. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-noto-cjk locales
    xvfb xauth
    weston qt6-wayland
    dpkg-dev desktop-file-utils appstream lintian man-db
    clang-14 libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix wine64 googletest
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

# A comma-decimal locale, so the tests can show that numbers ignore it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen
fi
locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || {
    echo "de_DE.UTF-8 could not be generated; the locale tests need it" >&2
    exit 1
}
