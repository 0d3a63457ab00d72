#!/usr/bin/env bash
# Makes the window's pictures: the download code and the logo wordmark; the
# program icon (app-icon.png, app-icon.ico) is drawn by
# packaging/make-icons.sh with the desktop icons. Their output is committed;
# run this again only to change them. Needs cmake, qrencode, ImageMagick and
# the DejaVu fonts.
#
# The code encodes the download page on the default web host. A build for
# another host (SCREENCALC_WEB_HOST) makes its own code with the same
# qrencode command, in window/CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")"

download_url=$(cmake -P ../cmake/WebSite.cmake)

# No time stamps in the files, so that a rerun gives the same bytes.
png_opts=(-depth 8 -strip -define png:exclude-chunks=date,time)

qrencode -l M -m 2 -s 6 -o download-qr.png "$download_url"

# The maker's name as a wordmark, 254 x 50 like the picture it replaces.
convert -size 254x50 xc:none \
    -fill '#1f4e9c' -draw 'roundrectangle 0,0 253,49 8,8' \
    -fill white -font DejaVu-Sans-Bold -pointsize 30 -kerning 3 \
    -gravity center -annotate +0+0 'KORVEXA' \
    "${png_opts[@]}" logo.png
