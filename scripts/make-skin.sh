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
    # Pieces with their file names, then the window put together from them.
    montage -background '#eef1f8' -fill '#1c2234' -pointsize 11 -label '%t' \
      $(ls [0-9]*.bmp | grep -v '^00-') -tile 6x -geometry '+10+8' pieces.png
    /usr/bin/convert 00-window.bmp -scale 200% -bordercolor '#eef1f8' -border 16 window.png
    /usr/bin/convert window.png pieces.png -background '#eef1f8' -gravity center -append \
      "$root/docs/skin-contact-sheet.png"
  )
  echo "contact sheet: docs/skin-contact-sheet.png"
fi
