#!/usr/bin/env bash
# Rebuilds the Windows icon (16 colours, 32 x 32 and 16 x 16) and the desktop theme pictures from
# the XPM drawings with ImageMagick. Run it after changing a drawing and commit what it writes.
set -euo pipefail
cd "$(dirname "$0")"

convert tessnivar-32.xpm tessnivar-16.xpm -type PaletteMatte tessnivar.ico
for size in 16 32; do
    convert "tessnivar-${size}.xpm" -strip -define png:exclude-chunks=date,time "tessnivar-${size}.png"
done
