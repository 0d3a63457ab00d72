#!/usr/bin/env bash
# Installs the Debian 12 packages the calculator needs, skipping what is
# already there. Safe to run again. Runs apt-get as root, or through sudo
# when started by another user.
#
#   tools/deps.sh run     building the window and screencalc, running the window (tools/run.sh)
#   tools/deps.sh test    all of that and everything the test command uses (tools/test.sh)
#   tools/deps.sh web     the web edition's compiler, Node.js and browser only (tools/web-check.sh),
#                         and Lighthouse from npm as package-lock.json pins it (node_modules/)
#
# A package the programs or the tests start needing goes into one list below.
set -euo pipefail

# Building the window and screencalc, and running the window. (XKB's headers
# only keep Qt's CMake files from reporting them missing at every configure.)
run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libxkbcommon-dev
)

# Everything else the test command uses.
test_packages=(
    python3 clang-format                              # tools/test-share.py
    locales fonts-noto-cjk                            # the comma locale; a system CJK font to ignore
    libgtest-dev libgmock-dev libbenchmark-dev        # the tests and the benchmarks' build
    clang-14 libclang-rt-14-dev                       # fuzz/run.sh (libFuzzer)
    weston qt6-wayland xvfb xauth                     # tools/wayland-smoke.sh, tools/screenshot.sh
    dpkg-dev file desktop-file-utils appstream lintian man-db # tools/package-check.sh
    g++-mingw-w64-x86-64-posix wine64 googletest      # tools/windows-check.sh
)

# The web edition: clang 22 and its wasm32 libraries come from the
# distribution's security suite, which is added to apt's sources if missing.
web_packages=(
    clang-22 lld-22 libc++-22-dev-wasm32 libclang-rt-22-dev-wasm32 wasi-libc
    nodejs chromium chromium-driver python3-selenium
)

case "${1:-}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}" "${web_packages[@]}") ;;
web) packages=("${web_packages[@]}") ;;
*)
    echo "usage: tools/deps.sh run|test|web" >&2
    exit 2
    ;;
esac

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "tools/deps.sh: installing packages needs root: run it as root, or install sudo" >&2
        exit 1
    fi
}

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done

# npm comes with Node.js from some sources (and then conflicts with Debian's
# package) and apart from it in Debian.
if [ "$1" != run ] && ! command -v npm >/dev/null; then
    missing+=(npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
    # A root made by debootstrap lists only the main suite.
    if [ "$1" != run ]; then
        suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")-security"
        if ! grep -rqsE "^[^#]*[[:space:]]$suite([[:space:]]|$)" /etc/apt/sources.list /etc/apt/sources.list.d/; then
            echo "Adding $suite to apt's sources: the web edition's clang comes from it"
            echo "deb http://deb.debian.org/debian-security $suite main" |
                as_root tee /etc/apt/sources.list.d/screencalc-security.list >/dev/null
        fi
    fi
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Lighthouse for the web checks, the version package-lock.json pins, into
# node_modules/ beside it (ignored by git).
pinned() {
    node -p "require('./$1').$2" 2>/dev/null
}
if [ "$1" != run ]; then
    (
        cd "$(dirname "$0")/.."
        if [ "$(pinned package.json devDependencies.lighthouse)" != \
             "$(pinned node_modules/lighthouse/package.json version)" ]; then
            npm ci --no-audit --no-fund --ignore-scripts
        fi
    )
fi

# A comma-decimal locale, so the tests can show that numbers ignore it.
if [ "$1" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
    locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' || {
        echo "tools/deps.sh: de_DE.UTF-8 could not be generated; the locale tests need it" >&2
        exit 1
    }
    echo "Generated the de_DE.UTF-8 locale for the tests"
fi
