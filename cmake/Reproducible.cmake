# The shown millimetres must be the same on every machine, so floating point
# is kept to one IEEE rounding per operation: no fused multiply-add, and SSE2
# instead of the x87 unit on 32-bit x86. The core carries these as PUBLIC
# options, so that every target linking it computes the same way.
function(screencalc_reproducible_arithmetic target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PUBLIC -ffp-contract=off)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4
           AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|X86|AMD64|x86_64)$")
            target_compile_options(${target} PUBLIC -msse2 -mfpmath=sse)
        endif()
    elseif(MSVC)
        # /fp:precise without /fp:contract never fuses; 32-bit MSVC uses
        # SSE2 by default (/arch:SSE2).
        target_compile_options(${target} PUBLIC /fp:precise)
    endif()
endfunction()
