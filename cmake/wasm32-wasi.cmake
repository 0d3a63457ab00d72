# Compiles the Qt-free core to a WebAssembly module for the web page, with
# Debian's clang 22, lld 22, libc++ for wasm32 and wasi-libc (preset wasm).
# The module is a library without a main (a "reactor") and imports nothing:
# web/runtime.cpp replaces what would reach the host.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-22)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_C_COMPILER clang-22)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)

# wasm32-wasi is the name Debian's files go by; clang now prefers
# wasm32-wasip1, whose sysroot Debian does not ship.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti -Wno-deprecated")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -fuse-ld=lld -Wl,--gc-sections -Wl,--strip-all")

# A test program that CMake links to check the compiler needs no main.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
