#!/usr/bin/env bash
# Rebuilds the icon files with ImageMagick. Run it after changing a drawing and commit what it
# writes.
#
# Every theme picture has a white halo around the black letters, so that it stays readable on
# dark panels as on light ones.
# - From the XPM drawings (the program's own 16 and 32 pixel window icons, left as they are): the
#   16 and 32 pixel theme pictures, the halo one pixel wide around every letter pixel.
# - From the outline below, the 32 pixel drawing traced on its 32 x 32 grid: the scalable theme
#   icon and the 48, 64, 128 and 256 pixel theme pictures, the halo a stroke along the outline.
set -euo pipefail
cd "$(dirname "$0")"

for size in 16 32; do
    convert "tessnivar-${size}.xpm" \
        \( +clone -alpha extract -morphology Dilate Square:1 \
           -background white -alpha shape \) \
        +swap -composite -strip -define png:exclude-chunks=date,time "tessnivar-${size}.png"
done

# Grid units, x to the right and y down from the top-left corner; the corners the XPM drawing
# shades grey are cut diagonally, and the bowl of the P is rounded.
letter_i='M2,1 H12 V2 L11,3 H9 V14 H11 L12,15 V16 H2 V15 L3,14 H5 V3 H3 L2,2 Z'
letter_p='M15,17 H27 C29.6,17 31,18.8 31,21.5 C31,24.2 29.6,26 27,26 H21 V30 H22 L23,31 V32 H15 V31
L16,30 H17 V19 H16 L15,18 Z M21,19 V24 H25.5 C26.6,24 27,23 27,21.5 C27,20 26.6,19 25.5,19 Z'
outline="${letter_i} ${letter_p//$'\n'/ }"
# The halo's stroke width in grid units: it reaches half of it beyond the outline.
halo=2

cat >tessnivar.svg <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <path fill="none" stroke="#ffffff" stroke-width="${halo}" stroke-linejoin="round" fill-rule="evenodd" d="${outline}"/>
  <path fill="#000000" fill-rule="evenodd" d="${outline}"/>
</svg>
EOF

# Each picture is drawn without smoothing at 8 times its size and scaled down, so every pixel
# gets the share of its area that the outline covers. ImageMagick samples at pixel centres, hence
# the shift by half a pixel.
oversample=8
for size in 48 64 128 256; do
    canvas=$((size * oversample))
    scale=$(awk -v c="${canvas}" 'BEGIN { printf "%.6f", c / 32 }')
    convert -size "${canvas}x${canvas}" xc:none +antialias \
        -stroke white -strokewidth "${halo}" -fill none -draw "affine ${scale},0,0,${scale},-0.5,-0.5 stroke-linejoin round path '${outline}'" \
        -stroke none -fill black -draw "affine ${scale},0,0,${scale},-0.5,-0.5 path '${outline}'" \
        -scale "${size}x${size}" -strip -define png:exclude-chunks=date,time \
        "tessnivar-${size}.png"
done
