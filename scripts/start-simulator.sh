#!/usr/bin/env bash
# Starts the controller simulator in the background on a new pseudo-terminal
# and, when a Wine prefix is given, makes that prefix's COM port the terminal.
#
#   start-simulator.sh --path-file FILE --pid-file FILE [--wineprefix DIR]
#                      [--port com1] [--simulator BIN] [--log FILE]
#                      [SIMULATOR OPTIONS...]
#
# Prints the terminal's path once the simulator answers on it. The simulator
# removes the COM link and saves its memory (--save FILE) when it is ended
# with SIGTERM: kill "$(cat PID_FILE)". Any further options go to the
# simulator (see gsm-simulator --help), e.g. --save, --load, --reply-delay.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

path_file= pid_file= prefix= port=com1 sim= log=
args=()
while [ $# -gt 0 ]; do
  case $1 in
    --path-file) path_file=$2; shift 2 ;;
    --pid-file) pid_file=$2; shift 2 ;;
    --wineprefix) prefix=$2; shift 2 ;;
    --port) port=$2; shift 2 ;;
    --simulator) sim=$2; shift 2 ;;
    --log) log=$2; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
if [ -z "$path_file" ] || [ -z "$pid_file" ]; then
  sed -n '2,13p' "$0" >&2
  exit 2
fi
if [ -z "$sim" ]; then
  for c in "$root/build/win32/host/tools/simulator/gsm-simulator" "$root/build/native/tools/simulator/gsm-simulator"; do
    [ -x "$c" ] && { sim=$c; break; }
  done
fi
[ -n "$sim" ] && [ -x "$sim" ] || { echo "start-simulator: no simulator built (give --simulator)" >&2; exit 1; }
log=${log:-$path_file.log}

# A simulator that this script started earlier with the same pid file is
# ended first, so that one port is never served twice.
if [ -s "$pid_file" ]; then
  old=$(cat "$pid_file")
  if kill -0 "$old" 2>/dev/null && grep -q gsm-simulator "/proc/$old/cmdline" 2>/dev/null; then
    kill "$old" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$old" 2>/dev/null || break; sleep 0.05; done
  fi
fi
rm -f "$path_file" "$pid_file"

link=()
if [ -n "$prefix" ]; then
  mkdir -p "$prefix/dosdevices"
  link=(--link "$prefix/dosdevices/$port")
fi

# Detached from the caller's terminal and pipes, so that a caller that
# captures output is not held open by the simulator.
setsid "$sim" --path-file "$path_file" --pid-file "$pid_file" "${link[@]}" "${args[@]}" \
  </dev/null >"$log" 2>&1 &

for _ in $(seq 1 400); do
  [ -s "$path_file" ] && break
  if ! jobs -r | grep -q .; then break; fi
  sleep 0.05
done
if [ ! -s "$path_file" ]; then
  echo "start-simulator: the simulator did not start; its log ($log):" >&2
  cat "$log" >&2 || true
  exit 1
fi
cat "$path_file"
