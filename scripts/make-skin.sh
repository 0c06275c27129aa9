#!/usr/bin/env bash
# Rebuilds the built-in skin: writes src/skin/builtin/{mxskn.skn,TRACK.bmp,
# TRACKVERT.bmp,TESSERAMENU.bmp} with tools/skinbuilder, and, when
# ImageMagick is installed, the contact sheet docs/skin-contact-sheet.png.
#
#   scripts/make-skin.sh [build-dir]      (default: build/native)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/native}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset native -B "$build" >/dev/null
fi
cmake --build "$build" --target skinbuilder -j2 >/dev/null
tool=$build/tools/skinbuilder/skinbuilder
"$tool" --out "$root/src/skin/builtin"

if command -v montage >/dev/null && [ -x /usr/bin/convert ]; then
  sheet=$(mktemp -d)
  trap 'rm -rf "$sheet"' EXIT
  "$tool" --sheet "$sheet"
  (
    cd "$sheet"
    # Each piece with its file name under it, four to a row, then the window
    # put together from the pieces on top.
    for f in [0-9]*.bmp; do
      [ "$f" = 00-window.bmp ] && continue
      name=${f#*-}
      /usr/bin/convert "$f" -background '#eef1f8' -fill '#1c2234' -pointsize 12 \
        label:"${name%.bmp}" -gravity center -append -bordercolor '#eef1f8' -border 10 "${f%.bmp}.png"
    done
    montage -mode concatenate -background '#eef1f8' -tile 4x $(ls [0-9]*.png) pieces.png
    # The builder draws no text; the window gets its captions here (at twice
    # the size, like the picture).
    /usr/bin/convert 00-window.bmp -scale 200% -gravity NorthWest -pointsize 20 \
      -fill '#182854' -annotate +60+14 'GSM SMS Controller Alarm Configurator Ver1.50' \
      -fill '#1c2234' -annotate +24+66 'File' -annotate +84+66 'Settings' -annotate +184+66 'Help' \
      -pointsize 18 -annotate +66+112 'Inputs' \
      -annotate +96+160 'Input 1' -annotate +96+200 'Input 2' -annotate +96+240 'Disabled' \
      -annotate +96+280 'Disabled' -annotate +96+320 'Mixed' \
      -annotate +276+160 'NO' -annotate +276+200 'NC' -annotate +276+240 'Off' \
      -annotate +276+280 'Off' -annotate +276+320 'Hover' \
      -annotate +74+378 'COM1' -annotate +258+378 'COM2' \
      -annotate +526+134 'Read Settings' -annotate +526+194 'Save Settings' \
      -fill '#8c94a8' -annotate +546+254 'Disabled' -fill '#1c2234' \
      -annotate +526+314 'Load Profile' -annotate +526+374 'Save Profile' \
      -annotate +22+560 'Com Is Close' -annotate +340+560 'Connecting device....' \
      -bordercolor '#eef1f8' -border 16 window.png
    /usr/bin/convert window.png pieces.png -background '#eef1f8' -gravity center -append \
      "$root/docs/skin-contact-sheet.png"
  )
  echo "contact sheet: docs/skin-contact-sheet.png"
fi
