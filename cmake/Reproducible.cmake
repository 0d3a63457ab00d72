# Flags every target gets. The shown millimetres must be the same on every
# machine, so floating point is kept to one IEEE rounding per operation:
# no fused multiply-add, and SSE2 instead of the x87 unit on 32-bit x86.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffp-contract=off)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|X86|AMD64|x86_64)$")
        add_compile_options(-msse2 -mfpmath=sse)
    endif()
    add_compile_options(-Wall -Wextra -Wpedantic)
    if(SCREENCALC_WERROR)
        add_compile_options(-Werror)
    endif()
elseif(MSVC)
    # /fp:precise without /fp:contract never fuses; 32-bit MSVC uses SSE2
    # by default. /utf-8 because the sources hold the Chinese texts.
    add_compile_options(/fp:precise /utf-8 /W4)
    if(SCREENCALC_WERROR)
        add_compile_options(/WX)
    endif()
endif()
