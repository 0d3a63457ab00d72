#!/usr/bin/env bash
# Cross-builds the Qt-free parts for Windows with MinGW-w64 (the core,
# screencalc.exe and their tests, static runtime) and runs each test
# executable once under Wine. Needs g++-mingw-w64-x86-64-posix, wine64 and
# googletest (tools/deps.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."

# GoogleTest from Debian's source package, built once with the same compiler.
gtest=build/mingw-gtest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$gtest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$PWD/$gtest/install"
    cmake --build "$gtest" --target install
fi

cmake --preset mingw
cmake --build --preset mingw

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# A Wine prefix of our own in the build folder; no Mono or Gecko prompts.
export WINEPREFIX="$PWD/build/mingw/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns Windows file names into Linux ones with the locale's character
# set; the tests open Chinese file names, so they need a UTF-8 locale
# whatever the caller's LANG (C.UTF-8 is always there on Debian).
if ! locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then
    echo "windows-check.sh: the C.UTF-8 locale is missing; the tests under Wine need it" >&2
    exit 1
fi
export LC_ALL=C.UTF-8 LANG=C.UTF-8
"$wine" wineboot --init >/dev/null 2>&1 || true
status=0
while IFS= read -r tests; do
    echo "== $tests (Wine)"
    "$wine" "$tests" --gtest_brief=1 || status=1
done < <(find build/mingw -name '*_tests.exe' -not -path '*/wine/*' | sort)
"$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null || true
exit $status
