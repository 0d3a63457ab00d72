# The facts the programs, the packaging and the scripts share, each stated
# once: the application id and the window title here, the version forms in
# cmake/Version.cmake, the web host in cmake/WebSite.cmake.
#
# The C++ side reads them from one generated header, buildinfo.h, through the
# interface target screencalc_buildinfo. The scripts under tools/ read the
# application id and the shown version from a build folder's CMakeCache.txt.

# The desktop id stays the same whatever web host a distributor sets.
set(SCREENCALC_APP_ID "example.korvexa.screencalc" CACHE INTERNAL
    "Desktop entry name, Wayland app id and installed files' name")
set(SCREENCALC_SHOWN_VERSION "${SCREENCALC_SHOWN_VERSION}" CACHE INTERNAL
    "The version as the window and screencalc --version show it")
set(SCREENCALC_WINDOW_TITLE
    "Korvexa--全自动银幕尺寸计算器${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR} PC版")

configure_file(${CMAKE_CURRENT_LIST_DIR}/buildinfo.h.in
    ${PROJECT_BINARY_DIR}/generated/buildinfo.h @ONLY)
add_library(screencalc_buildinfo INTERFACE)
target_include_directories(screencalc_buildinfo INTERFACE ${PROJECT_BINARY_DIR}/generated)
