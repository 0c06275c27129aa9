# Shared by the scripts that drive the real program under Wine: the prefix,
# a work folder, checks that count failures, starting and closing the
# program, and the clean-up. Sourcing defines functions only; the script
# then sets itself up with its settings as arguments:
#
#   source "$here/wine_window_lib.sh"
#   wine_window_init BUILD_DIR PREFIX DRIVER_EXE
#
# PREFIX is the name of the script's own Wine prefix, a folder in BUILD_DIR
# (e.g. wineprefix-ports). wine_window_init sets $scripts, $work, $failures
# and WINEPREFIX, boots the prefix and installs the clean-up: when the
# script ends, passed, failed or interrupted, the program is closed, the
# simulator whose pid is in $work/pid ended, the prefix's Wine server ended
# and waited for, a display the script started ended, and $work removed.

wine_window_init() {
  local build=$1 prefix=$2
  driver=$3
  case $prefix in ''|*/*) echo "FAIL: wine_window_init: PREFIX must be a folder name, got '$prefix'"; exit 1 ;; esac
  scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
  export GSM_BUILD_DIR=$build
  export WINEPREFIX=$build/$prefix
  failures=0
  prog=
  work=$(mktemp -d "${TMPDIR:-/tmp}/gsm-wine-window-XXXXXX")
  trap wine_window_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # The display: the test run's (CTest starts it before the tests and ends
  # it after them) or, for a script run alone, one of its own.
  source "$scripts/xvfb-lib.sh"
  gsm_ensure_display "$work/display"
  "$scripts/wine-run.sh" --boot || { echo "FAIL: Wine prefix"; exit 1; }
}

check() {  # check NAME CONDITION-STATUS
  if [ "$2" -eq 0 ]; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
start_program() {  # start_program EXE [ARGS...]
  "$scripts/wine-run.sh" "$@" >"$work/program.log" 2>&1 &
  prog=$!
}
# Asks the window to close and waits for the program to end; kills it when
# it does not.
close_program() {
  [ -n "$prog" ] && kill -0 "$prog" 2>/dev/null || { prog=; return 0; }
  timeout 60 "$scripts/wine-run.sh" "$driver" close >/dev/null 2>&1 || true
  for _ in $(seq 1 300); do kill -0 "$prog" 2>/dev/null || break; sleep 0.1; done
  kill "$prog" 2>/dev/null || true
  prog=
}
# Ends the simulator whose pid is in FILE (started by start-simulator.sh)
# and waits until it is gone.
stop_simulator() {  # stop_simulator FILE
  local pid
  [ -s "$1" ] || return 0
  pid=$(cat "$1")
  grep -q gsm-simulator "/proc/$pid/cmdline" 2>/dev/null || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
}
wine_window_cleanup() {
  trap - INT TERM
  close_program
  if [ "${failures:-0}" -gt 0 ] && [ -s "$work/program.log" ]; then
    echo "-- the program's output:"
    tail -n 30 "$work/program.log"
  fi
  stop_simulator "$work/pid"
  "$scripts/wine-run.sh" --stop
  [ -z "${GSM_DISPLAY_STARTED:-}" ] || gsm_stop_display "$work/display"
  rm -rf "$work"
}
