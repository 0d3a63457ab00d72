#!/usr/bin/env bash
# Draws the page's icons for the home screen and the install prompt, 192
# and 512 px, with the program icon's drawing (packaging/make-icons.sh).
# Output is committed; run again only to change the icon. Needs ImageMagick
# and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"
for size in 192 512; do
    s() { echo $(( ($1 * size + 64) / 128 )); }
    convert -size "${size}x${size}" xc:none \
        -fill '#1f4e9c' -draw "roundrectangle $(s 4),$(s 18) $(s 123),$(s 109) $(s 10),$(s 10)" \
        -fill white -draw "rectangle $(s 14),$(s 28) $(s 113),$(s 99)" \
        -fill '#4f8fe8' -draw "rectangle $(s 22),$(s 36) $(s 105),$(s 91)" \
        -fill white -font DejaVu-Sans-Bold -pointsize "$(s 40)" -gravity center \
        -annotate +0-"$(s 1)" 'K' \
        -depth 8 -strip -define png:exclude-chunks=date,time "icon-$size.png"
done
