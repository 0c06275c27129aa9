#!/usr/bin/env bash
# wine-stop.sh BUILD_DIR: ends what the Wine tests and scripts of a build
# folder leave running for the next program: the Wine server (and with it
# its services) of every prefix in the folder, and every virtual display
# started for the folder or a folder inside it. Waits until they are gone.
# Touches no other build's processes. Used after the win32 tests (a CTest
# clean-up fixture and scripts/test.sh) and by hand.
set -uo pipefail
build=$(cd "${1:?usage: wine-stop.sh BUILD_DIR}" 2>/dev/null && pwd) || exit 0
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/xvfb-lib.sh"

# prefix_processes DIR: files of processes running in that Wine prefix.
prefix_processes() { grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null; }

for prefix in "$build"/wineprefix*/; do
  prefix=${prefix%/}
  [ -f "$prefix/system.reg" ] || continue
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix timeout 60 wineserver -w >/dev/null 2>&1 || true
  # The server's programs end when it does; wait for the last of them.
  for _ in $(seq 1 100); do
    [ -z "$(prefix_processes "$prefix")" ] && break
    sleep 0.1
  done
done

while IFS= read -r pidfile; do
  gsm_stop_display "$(dirname "$pidfile")"
done < <(find "$build" -maxdepth 3 -name .xvfb-pid 2>/dev/null)
exit 0
