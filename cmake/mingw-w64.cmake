# Cross-compiles the Qt-free parts for 64-bit Windows with MinGW-w64 (Debian
# g++-mingw-w64-x86-64-posix), for tools/windows-check.sh, which runs the
# tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# GoogleTest comes from a folder of our own (GTest_DIR), built by the script.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Static runtime: each executable runs alone, with no MinGW DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(SCREENCALC_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SCREENCALC_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${SCREENCALC_WINE})
endif()
