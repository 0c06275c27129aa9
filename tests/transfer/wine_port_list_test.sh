#!/usr/bin/env bash
# A serial port that Wine maps before the program starts (COM7 to the
# simulator's pseudo-terminal, through Wine's port registry key, as an
# installer maps an adapter) appears in the "Com Port" list when the list is
# opened, and picking it makes "Read Settings" work through that port.
#
#   wine_port_list_test.sh GSMCONFIG_EXE DRIVER_EXE SIMULATOR BUILD_DIR
set -uo pipefail
exe=$1 driver=$2 sim=$3 build=$4
here=$(cd "$(dirname "$0")" && pwd)

source "$here/wine_window_lib.sh"
wine_window_init "$build" wineprefix-ports "$driver"

"$scripts/start-simulator.sh" --path-file "$work/path" --pid-file "$work/pid" --simulator "$sim" \
  --log "$work/sim.log" >/dev/null || { echo "FAIL: simulator"; exit 1; }
pty=$(cat "$work/path")
echo "COM7 -> $pty"
# Wine reads its port map when the prefix starts: map, then restart it.
"$scripts/wine-run.sh" reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$pty" /f >/dev/null ||
  { echo "FAIL: port map"; exit 1; }
"$scripts/wine-run.sh" --stop

start_program "$exe"
out=$(timeout 300 "$scripts/wine-run.sh" "$driver" port COM7)
rc=$?
echo "$out" | sed 's/^/  port: /'
check "COM7 is in the list and can be picked" $rc
items=$(echo "$out" | tr -d '\r' | sed -n 's/^item: //p' | head -5 | tr '\n' ' ')
[ "$items" = "com1 com2 com3 com4 com5 " ]
check "com1 to com5 stay the first items" $?

out=$(timeout 300 "$scripts/wine-run.sh" "$driver" read)
rc=$?
echo "$out" | grep -E '^(box|ms):' | sed 's/^/  read: /'
check "Read Settings through COM7 ends in \"UpLoad Success\"" $rc

[ $failures -eq 0 ] && echo "wine port list: all checks passed" || echo "wine port list: $failures checks failed"
exit $((failures > 0))
