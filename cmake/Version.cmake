# The forms of the one version, project(VERSION), that the programs, the
# metainfo, the Windows version record and the package carry.
#
#   PROJECT_VERSION           3.1.0.1    packages, AppStream, man pages: all four
#                                        numbers, so that a later 3.1.1.0 sorts
#                                        after it in dpkg and in software centres
#   SCREENCALC_SHOWN_VERSION  3.1.1      the window's label and screencalc
#                                        --version: major, minor and revision
#                                        (the fourth number), as the label has
#                                        always shown it
#   SCREENCALC_VERSION_RECORD 3.01.0001  the text fields of the Windows record
#
# screencalc_check_versions(), called once everything is configured, fails
# the configure step if a generated file carries anything else.

if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "The project version needs four numbers, got '${PROJECT_VERSION}'")
endif()

set(SCREENCALC_SHOWN_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_TWEAK}")

function(_screencalc_pad out value width)
    string(LENGTH "${value}" len)
    math(EXPR missing "${width} - ${len}")
    if(missing GREATER 0)
        string(REPEAT "0" ${missing} zeros)
        set(value "${zeros}${value}")
    endif()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()
_screencalc_pad(_minor2 "${PROJECT_VERSION_MINOR}" 2)
_screencalc_pad(_tweak4 "${PROJECT_VERSION_TWEAK}" 4)
set(SCREENCALC_VERSION_RECORD "${PROJECT_VERSION_MAJOR}.${_minor2}.${_tweak4}")

# The release of this version: the metainfo, the changelog and the man pages.
set(SCREENCALC_RELEASE_DATE "2026-12-06")
set(SCREENCALC_RELEASE_NOTE "Rebuilt on Qt 6, with a command-line companion for batches of screens.")

# The same date as the changelog writes it (RFC 5322), weekday included.
if(NOT SCREENCALC_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "SCREENCALC_RELEASE_DATE must read YYYY-MM-DD")
endif()
set(_dd ${CMAKE_MATCH_3})
math(EXPR _y "${CMAKE_MATCH_1}")
math(EXPR _m "${CMAKE_MATCH_2}")
math(EXPR _d "${CMAKE_MATCH_3}")
set(_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR _i "${_m} - 1")
list(GET _offsets ${_i} _offset)
set(_yy ${_y})
if(_m LESS 3)
    math(EXPR _yy "${_y} - 1")
endif()
math(EXPR _weekday "(${_yy} + ${_yy} / 4 - ${_yy} / 100 + ${_yy} / 400 + ${_offset} + ${_d}) % 7")
set(_days Sun Mon Tue Wed Thu Fri Sat)
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET _days ${_weekday} _dayname)
list(GET _months ${_i} _monthname)
set(SCREENCALC_RELEASE_DATE_RFC5322
    "${_dayname}, ${_dd} ${_monthname} ${_y} 00:00:00 +0000")

# Fails the configure step when a generated file that states the version
# states another one. Each file is made from a template that someone could
# one day fill in by hand; this catches that before anything ships.
function(screencalc_check_versions)
    set(problems "")
    function(_expect file regex want)
        set(text "")
        if(EXISTS "${file}")
            file(READ "${file}" text)
        endif()
        if(NOT text MATCHES "${regex}" OR NOT CMAKE_MATCH_1 STREQUAL want)
            set(problems "${problems}\n  ${file}: '${CMAKE_MATCH_1}', expected '${want}'"
                PARENT_SCOPE)
        endif()
    endfunction()

    set(bin ${PROJECT_BINARY_DIR})
    set(major ${PROJECT_VERSION_MAJOR})
    set(minor ${PROJECT_VERSION_MINOR})
    set(revision ${PROJECT_VERSION_TWEAK})
    set(th "\\.TH [^ ]+ 1 \"[^\"]*\" \"[^\" ]+ ([^\"]*)\"")
    _expect(${bin}/cli/generated/screencalc_version.h "\"([^\"]*)\"" ${SCREENCALC_SHOWN_VERSION})
    if(TARGET korvexa-screencalc)
        set(info ${bin}/window/generated/buildinfo.h)
        _expect(${info} "versionMajor = ([0-9]+);" ${major})
        _expect(${info} "versionMinor = ([0-9]+);" ${minor})
        _expect(${info} "versionRevision = ([0-9]+);" ${revision})
        set(app ${bin}/packaging/${SCREENCALC_APP_ID})
        _expect(${app}.metainfo.xml "<release version=\"([^\"]*)\"" ${PROJECT_VERSION})
    endif()
    if(UNIX)
        _expect(${bin}/packaging/changelog "^korvexa-screencalc \\(([^)]*)\\)" ${PROJECT_VERSION})
        _expect(${bin}/packaging/screencalc.1 "${th}" ${PROJECT_VERSION})
        if(TARGET korvexa-screencalc)
            _expect(${bin}/packaging/korvexa-screencalc.1 "${th}" ${PROJECT_VERSION})
        endif()
    endif()
    _expect(${bin}/CPackConfig.cmake "set\\(CPACK_PACKAGE_VERSION \"([^\"]*)\"\\)" ${PROJECT_VERSION})

    # The Windows record is only generated on Windows; fill its template in
    # here too, so that a Linux build checks it as well.
    set(rc_template ${PROJECT_SOURCE_DIR}/window/korvexa-screencalc.rc.in)
    if(EXISTS ${rc_template})
        set(rc ${bin}/CMakeFiles/version-check/korvexa-screencalc.rc)
        configure_file(${rc_template} ${rc} @ONLY)
        set(comma "${major},${minor},${PROJECT_VERSION_PATCH},${revision}")
        _expect(${rc} "FILEVERSION ([0-9,]+)" ${comma})
        _expect(${rc} "PRODUCTVERSION ([0-9,]+)" ${comma})
        _expect(${rc} "\"FileVersion\", \"([^\"]*)\"" ${SCREENCALC_VERSION_RECORD})
        _expect(${rc} "\"ProductVersion\", \"([^\"]*)\"" ${SCREENCALC_VERSION_RECORD})
    endif()

    if(problems)
        message(FATAL_ERROR "Version ${PROJECT_VERSION} is stated differently in:${problems}")
    endif()
endfunction()
