# The maker's web site: the one host a distributor sets and the pages on it
# that the window, its download code and the metainfo point at.
#
# Also runs as a script, for the picture scripts under resources/:
#   cmake [-DSCREENCALC_WEB_HOST=...] -P cmake/WebSite.cmake   prints the download address

# The reserved name stands in until the maker's real host is configured.
set(SCREENCALC_DEFAULT_WEB_HOST "korvexa.example")
set(SCREENCALC_WEB_HOST "${SCREENCALC_DEFAULT_WEB_HOST}" CACHE STRING
    "Host name of the maker's web site, used for the download and product pages")
set(_label "[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?")
if(NOT SCREENCALC_WEB_HOST MATCHES "^${_label}(\\.${_label})*$")
    message(FATAL_ERROR "SCREENCALC_WEB_HOST must be a plain host name, got '${SCREENCALC_WEB_HOST}'")
endif()

set(SCREENCALC_DOWNLOAD_PATH "/download/showdownload.php?lang=cn&id=22")
set(SCREENCALC_PRODUCT_PATH "/product/product.php?class2=141")
set(SCREENCALC_DOWNLOAD_URL "https://${SCREENCALC_WEB_HOST}${SCREENCALC_DOWNLOAD_PATH}")
set(SCREENCALC_PRODUCT_URL "https://${SCREENCALC_WEB_HOST}${SCREENCALC_PRODUCT_PATH}")
set(SCREENCALC_SCREENSHOT_URL "https://${SCREENCALC_WEB_HOST}/screencalc/screenshot.png"
    CACHE STRING "Where software centres fetch the screenshot (a copy of docs/screenshot.png)")
set(SCREENCALC_SUPPORT_EMAIL "support@${SCREENCALC_WEB_HOST}")

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "${SCREENCALC_DOWNLOAD_URL}")
endif()
