# Shared by the scripts that drive the real program under Wine: the prefix,
# a work folder, checks that count failures, starting and closing the
# program, and the clean-up (program, simulator of $work/pid, work folder).
#   source wine_window_lib.sh [PREFIX]   (needs $scripts, $driver, $build;
#                                         PREFIX is a folder in $build)
export GSM_BUILD_DIR=$build
export WINEPREFIX=$build/${1:-wineprefix}
"$scripts/wine-run.sh" --boot || { echo "FAIL: Wine prefix"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/gsm-wine-window-XXXXXX")
failures=0
prog=
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
cleanup() {
  close_program
  [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
