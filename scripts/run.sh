#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it under Wine.
#
# COM1 of the program is the controller simulator on a pseudo-terminal, or
# the serial device named by GSM_DEVICE (e.g. GSM_DEVICE=/dev/ttyUSB0).
# Without a display the program runs on a virtual one; the script then saves
# a screenshot, prints its path and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

build=$root/build/win32
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target gsmconfig gsm_simulator_host
exe=$build/src/app/gsmconfig.exe
sim=$build/host/tools/simulator/gsm-simulator

export GSM_BUILD_DIR=$build
export WINEPREFIX=$build/wineprefix
have_display=
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then have_display=1; fi
source scripts/xvfb-lib.sh
[ -n "$have_display" ] || { unset DISPLAY; gsm_ensure_display "$build/run-display"; }
own_display=${GSM_DISPLAY_STARTED:-}

# Whether the program was closed or the script interrupted: the simulator,
# the prefix's Wine server and a display started here end with the script.
sim_pid=
cleanup() {
  trap - INT TERM
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  scripts/wine-run.sh --stop
  [ -z "$own_display" ] || gsm_stop_display "$build/run-display"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
scripts/wine-run.sh --boot
com1=$build/wineprefix/dosdevices/com1

if [ -n "${GSM_DEVICE:-}" ]; then
  ln -sfn "$GSM_DEVICE" "$com1"
  echo "COM1 is $GSM_DEVICE"
else
  # The simulator keeps its memory between runs, like a real unit.
  mem=$build/simulator-memory.bin
  load=(); [ -f "$mem" ] && load=(--load "$mem")
  rm -f "$com1" "$build/simulator.path"
  "$sim" --link "$com1" --path-file "$build/simulator.path" --save "$mem" "${load[@]}" &
  sim_pid=$!
  for _ in $(seq 1 200); do [ -s "$build/simulator.path" ] && break; sleep 0.05; done
  echo "COM1 is the controller simulator on $(cat "$build/simulator.path")"
fi

if [ -n "$have_display" ]; then
  scripts/wine-run.sh "$exe"
else
  shot=$(unset DISPLAY; scripts/screenshot.sh "$build/screenshot.png")
  echo "No display: the program ran on a virtual display. Screenshot: $shot"
fi
