# Configures and builds the wasm preset in SOURCE (a no-op when current),
# for the web checks:   cmake -DSOURCE=dir -P build-wasm.cmake
foreach(step IN ITEMS "--preset;wasm" "--build;--preset;wasm;-j2")
    execute_process(COMMAND ${CMAKE_COMMAND} ${step} WORKING_DIRECTORY ${SOURCE}
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cmake ${step} failed")
    endif()
endforeach()
