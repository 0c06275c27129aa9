#!/usr/bin/env bash
# screenshot.sh [out.png]: starts the program under Wine on a private virtual
# display, waits for its window to be drawn and saves a PNG of it
# (default docs/screenshot.png). Builds the win32 flavour first if needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
build=${GSM_BUILD_DIR:-$root/build/win32}
exe=$build/src/app/gsmconfig.exe
title="GSM SMS Controller Alarm Configurator Ver1.50"

if [ ! -f "$exe" ]; then
  (cd "$root" && cmake --preset win32 >/dev/null && cmake --build --preset win32 --target gsmconfig -j2)
fi

source "$root/scripts/xvfb-lib.sh"
unset DISPLAY
export GSM_BUILD_DIR=$build
export WINEPREFIX=$build/wineprefix

# The program, the prefix's Wine server and the display end with the
# script, whether it succeeded, failed or was interrupted.
pid=
cleanup() {
  trap - INT TERM
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  "$root/scripts/wine-run.sh" --stop
  [ -z "${GSM_DISPLAY_STARTED:-}" ] || gsm_stop_display "$build/screenshot-display"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
gsm_ensure_display "$build/screenshot-display"

"$root/scripts/wine-run.sh" "$exe" >/dev/null 2>&1 &
pid=$!

id=$("$root/scripts/xwait.sh" "$title" 180)
# The window is there; wait until two captures in a row are the same, so
# that the picture shows the finished painting.
tmp=$(mktemp -d)
prev=
for i in $(seq 1 60); do
  sleep 0.5
  import -window "$id" "$tmp/shot.png" 2>/dev/null || continue
  sum=$(md5sum <"$tmp/shot.png")
  if [ "$sum" = "$prev" ]; then break; fi
  prev=$sum
done
mkdir -p "$(dirname "$out")"
mv "$tmp/shot.png" "$out"
rm -rf "$tmp"
echo "$out"
