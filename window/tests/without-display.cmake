# The program started without a display: --help and --version answer, and a
# plain start says in one line why no window opens, with status 1 (not an
# abort). Run by CTest: cmake -DPROGRAM=... -DSHOWN_VERSION=... -P without-display.cmake
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

function(run expected_status)
    execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE status
        OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
    if(NOT status STREQUAL expected_status)
        message(FATAL_ERROR "'${ARGN}': status ${status}, expected ${expected_status}\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 --version)
if(NOT out STREQUAL "korvexa-screencalc ${SHOWN_VERSION}\n" OR NOT err STREQUAL "")
    message(FATAL_ERROR "--version printed '${out}' and '${err}'")
endif()
run(0 --help)
if(NOT out MATCHES "^Usage: korvexa-screencalc .*screencalc --help" OR NOT err STREQUAL "")
    message(FATAL_ERROR "--help printed '${out}' and '${err}'")
endif()
run(1)
if(NOT err MATCHES "^korvexa-screencalc: no graphical display was found [^\n]*screencalc works without one\n$")
    message(FATAL_ERROR "without a display the program said '${err}'")
endif()
