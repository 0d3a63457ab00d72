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
# Every file that states the version is made from these at configure time
# (cmake/BuildInfo.cmake makes the header the programs read).

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
# Written as the changelog wants it (RFC 5322, weekday included; lintian checks
# the weekday); the ISO form for the metainfo and man pages follows from it.
set(SCREENCALC_RELEASE_DAY "Sun, 06 Dec 2026")
set(SCREENCALC_RELEASE_NOTE "Rebuilt on Qt 6, with a command-line companion for batches of screens.")

set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(JOIN _months "|" _month_names)
if(NOT SCREENCALC_RELEASE_DAY MATCHES
       "^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), ([0-3][0-9]) (${_month_names}) ([0-9][0-9][0-9][0-9])$")
    message(FATAL_ERROR "SCREENCALC_RELEASE_DAY must read like \"Sun, 06 Dec 2026\"")
endif()
set(_day ${CMAKE_MATCH_2})
set(_year ${CMAKE_MATCH_4})
list(FIND _months "${CMAKE_MATCH_3}" _month)
math(EXPR _month "${_month} + 1")
_screencalc_pad(_month "${_month}" 2)
set(SCREENCALC_RELEASE_DATE "${_year}-${_month}-${_day}")
set(SCREENCALC_RELEASE_DATE_RFC5322 "${SCREENCALC_RELEASE_DAY} 00:00:00 +0000")
