#!/usr/bin/env bash
# Draws the program icon at every size it is used at: the hicolor theme's
# 48, 128 and 256 px (packaging/icons/), the window icon (resources/
# app-icon.png, 128 px), the Windows icon (resources/app-icon.ico, 16 to
# 256 px) and the web page's home-screen icons (web/icon-192.png, 512 px). Each size is drawn anew rather than scaled, so the small ones stay
# sharp. Output is committed; run again only to change the icon. Needs
# ImageMagick and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 16 32 48 64 128 192 256 512; do
    # Coordinates of the 128 px drawing, scaled to this size.
    s() { echo $(( ($1 * size + 64) / 128 )); }
    convert -size "${size}x${size}" xc:none \
        -fill '#1f4e9c' -draw "roundrectangle $(s 4),$(s 18) $(s 123),$(s 109) $(s 10),$(s 10)" \
        -fill white -draw "rectangle $(s 14),$(s 28) $(s 113),$(s 99)" \
        -fill '#4f8fe8' -draw "rectangle $(s 22),$(s 36) $(s 105),$(s 91)" \
        -fill white -font DejaVu-Sans-Bold -pointsize "$(s 40)" -gravity center \
        -annotate +0-"$(s 1)" 'K' \
        -depth 8 -strip -define png:exclude-chunks=date,time "$work/$size.png"
done

cp "$work"/{48,128,256}.png icons/
cp "$work/192.png" ../web/icon-192.png
cp "$work/512.png" ../web/icon-512.png
cp "$work/128.png" ../resources/app-icon.png
# Largest first, as Windows lists them; the 256 px image is stored as PNG.
convert "$work"/{256,128,64,48,32,16}.png ../resources/app-icon.ico
