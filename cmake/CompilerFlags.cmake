# Options every target of the build gets: warnings, hardening and, when asked
# for, sanitizers. The floating-point options belong to the core target
# (Reproducible.cmake).

option(SCREENCALC_WERROR "Treat compiler warnings as errors" OFF)
set(SCREENCALC_SANITIZE "" CACHE STRING
    "Sanitizers to build everything with, as -fsanitize takes them (e.g. address,undefined)")

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wpedantic)
    if(SCREENCALC_WERROR)
        add_compile_options(-Werror)
    endif()
    if(SCREENCALC_SANITIZE)
        add_compile_options(-fsanitize=${SCREENCALC_SANITIZE} -fno-sanitize-recover=all
                            -fno-omit-frame-pointer)
        add_link_options(-fsanitize=${SCREENCALC_SANITIZE})
    endif()
elseif(MSVC)
    # /utf-8 because the sources hold the Chinese texts.
    add_compile_options(/utf-8 /W4)
    if(SCREENCALC_WERROR)
        add_compile_options(/WX)
    endif()
    if(SCREENCALC_SANITIZE)
        add_compile_options(/fsanitize=${SCREENCALC_SANITIZE})
    endif()
endif()

# ELF programs: relocations resolved at start and then made read-only
# (full RELRO), as distributions build them.
if(UNIX AND NOT APPLE)
    add_link_options(LINKER:-z,relro,-z,now)
endif()

# The programs link only system libraries: nothing to find through an
# RPATH, and distributions refuse one (Qt's project setup would add $ORIGIN).
set(CMAKE_SKIP_INSTALL_RPATH ON)
