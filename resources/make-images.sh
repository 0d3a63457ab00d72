#!/usr/bin/env bash
# Makes the window's pictures: the download code, the logo wordmark and the
# program icon. Their output is committed; run this again only to change
# them. Needs qrencode, ImageMagick and the DejaVu fonts.
#
# The code encodes the download page on the default web host. A build for
# another host (SCREENCALC_WEB_HOST) makes its own code with the same
# qrencode command, in window/CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")"

download_url="https://korvexa.example/download/showdownload.php?lang=cn&id=22"

# No time stamps in the files, so that a rerun gives the same bytes.
png_opts=(-depth 8 -strip -define png:exclude-chunks=date,time)

qrencode -l M -m 2 -s 6 -o download-qr.png "$download_url"

# The maker's name as a wordmark, 254 x 50 like the picture it replaces.
convert -size 254x50 xc:none \
    -fill '#1f4e9c' -draw 'roundrectangle 0,0 253,49 8,8' \
    -fill white -font DejaVu-Sans-Bold -pointsize 30 -kerning 3 \
    -gravity center -annotate +0+0 'KORVEXA' \
    "${png_opts[@]}" logo.png

# A projection screen: a dark frame around a white viewing area with the
# 16:9 proportion, and a blue band for the projected picture.
convert -size 128x128 xc:none \
    -fill '#1f4e9c' -draw 'roundrectangle 4,18 123,109 10,10' \
    -fill white -draw 'rectangle 14,28 113,99' \
    -fill '#4f8fe8' -draw 'rectangle 22,36 105,91' \
    -fill white -font DejaVu-Sans-Bold -pointsize 40 -gravity center -annotate +0-1 'K' \
    "${png_opts[@]}" app-icon.png

# The Windows executable carries the icon as .ico, in the usual sizes.
convert app-icon.png -define icon:auto-resize=128,64,48,32,16 app-icon.ico
