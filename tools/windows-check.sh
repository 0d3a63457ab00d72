#!/usr/bin/env bash
# The Qt-free parts cross-built for Windows with MinGW-w64 (the core,
# screencalc.exe and their tests, static runtime), their tests run under
# Wine. CTest calls it (label wine: `ctest --preset ci -L wine`):
#   tools/windows-check.sh build        GoogleTest once, then preset mingw
#   tools/windows-check.sh run EXE ...  one test executable under Wine
#   tools/windows-check.sh stop         ends the Wine server the runs started
# Needs g++-mingw-w64-x86-64-posix, wine64 and googletest (tools/deps.sh test).
set -euo pipefail
cd "$(dirname "$0")/.."

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# A Wine prefix of our own in the build folder; no Mono or Gecko prompts.
export WINEPREFIX="$PWD/build/mingw/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns Windows file names into Linux ones with the locale's character
# set; the tests open Chinese file names, so they need a UTF-8 locale
# whatever the caller's LANG (C.UTF-8 is always there on Debian).
export LC_ALL=C.UTF-8 LANG=C.UTF-8

case "${1:-}" in
build)
    # GoogleTest from Debian's source package, built once with the same
    # compiler; its install log (one line a header) says nothing of use.
    gtest=build/mingw-gtest
    if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
        cmake -S /usr/src/googletest -B "$gtest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
            -DCMAKE_INSTALL_PREFIX="$PWD/$gtest/install" -DCMAKE_INSTALL_MESSAGE=NEVER >/dev/null
        cmake --build "$gtest" --target install
    fi
    cmake --preset mingw >/dev/null
    cmake --build --preset mingw
    "$wine" wineboot --init >/dev/null 2>&1 || true
    ;;
run)
    shift
    exec "$wine" "$@" --gtest_brief=1
    ;;
stop)
    "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null || true
    ;;
*)
    echo "usage: tools/windows-check.sh build | run EXE | stop" >&2
    exit 2
    ;;
esac
