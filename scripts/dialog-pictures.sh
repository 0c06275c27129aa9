#!/usr/bin/env bash
# dialog-pictures.sh [out-dir]: pictures of the skinned dialogs and menus
# over the window, for the README: a message box ("UpLoad Success" after
# "Read Settings" against the controller simulator), the open dialog of
# "Load Profile", an edit's context menu and the system menu. Saves
# skinned-message-box.png, skinned-file-dialog.png, skinned-context-menu.png
# and skinned-system-menu.png (default docs/). Builds what it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs}")
build=${GSM_BUILD_DIR:-$root/build/win32}
(cd "$root" && cmake --preset win32 >/dev/null &&
  cmake --build --preset win32 -j2 --target gsmconfig transfer_driver gsm_simulator_host >/dev/null)
exe=$build/src/app/gsmconfig.exe
driver=$build/tests/transfer/transfer_driver.exe
sim=$build/host/tools/simulator/gsm-simulator
title="GSM SMS Controller Alarm Configurator Ver"

source "$root/scripts/xvfb-lib.sh"
unset DISPLAY
export GSM_BUILD_DIR=$build
export WINEPREFIX=$build/wineprefix

# The program, the simulator, the prefix's Wine server and the display end
# with the script, whether it succeeded, failed or was interrupted.
work=$(mktemp -d)
prog= sim_pid=
cleanup() {
  trap - INT TERM
  [ -z "$prog" ] || kill "$prog" 2>/dev/null || true
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  "$root/scripts/wine-run.sh" --stop
  [ -z "${GSM_DISPLAY_STARTED:-}" ] || gsm_stop_display "$build/screenshot-display"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
gsm_ensure_display "$build/screenshot-display"
"$root/scripts/wine-run.sh" --boot
com1=$build/wineprefix/dosdevices/com1

rm -f "$com1"
"$sim" --link "$com1" --path-file "$work/sim.path" &
sim_pid=$!
for _ in $(seq 1 200); do [ -s "$work/sim.path" ] && break; sleep 0.05; done

# picture WAIT-FOR FILE DRIVER-COMMAND...: has the driver open what is to
# be seen, waits for a window whose title has WAIT-FOR (none for a menu),
# and saves the screen around the window once it has settled.
picture() {
  local wait_for=$1 file=$2
  shift 2
  "$root/scripts/wine-run.sh" "$exe" >/dev/null 2>&1 &
  prog=$!
  main=$("$root/scripts/xwait.sh" "$title" 180)
  "$root/scripts/wine-run.sh" "$driver" "$@" >/dev/null
  # (The driver itself waits for a menu to show.)
  [ -z "$wait_for" ] || "$root/scripts/xwait.sh" "$wait_for" 180 >/dev/null
  local geo x y w h prev= sum
  geo=$(xwininfo -id "$main")
  x=$(echo "$geo" | sed -n 's/ *Absolute upper-left X: *//p')
  y=$(echo "$geo" | sed -n 's/ *Absolute upper-left Y: *//p')
  w=$(echo "$geo" | sed -n 's/ *Width: *//p')
  h=$(echo "$geo" | sed -n 's/ *Height: *//p')
  for _ in $(seq 1 60); do
    sleep 0.5
    import -window root -depth 8 -crop "${w}x${h}+${x}+${y}" +repage "$work/shot.png" 2>/dev/null || continue
    sum=$(md5sum <"$work/shot.png")
    [ "$sum" = "$prev" ] && break
    prev=$sum
  done
  mkdir -p "$out"
  mv "$work/shot.png" "$out/$file"
  echo "$out/$file"
  kill "$prog" 2>/dev/null || true
  "$root/scripts/wine-run.sh" --stop
  prog=
}

picture Information skinned-message-box.png press "Read Settings"
picture Open skinned-file-dialog.png press "Load Profile"
picture "" skinned-context-menu.png context name1
picture "" skinned-system-menu.png sysmenu
