#!/usr/bin/env bash
# The real program started with /noskin, and with --no-skin, shows its
# window with the system's own look: no window of it answers the skin
# engine's "skinned?" query with 1.
#
#   wine_noskin_test.sh GSMCONFIG_EXE DRIVER_EXE BUILD_DIR
set -uo pipefail
exe=$1 driver=$2 build=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$here/wine_window_lib.sh"
wine_window_init "$build" wineprefix-noskin "$driver"

for switch in /noskin --no-skin; do
  start_program "$exe" "$switch"
  out=$(timeout 300 "$scripts/wine-run.sh" "$driver" skinned | tr -d '\r')
  check "$switch: the window is shown" $?
  echo "  $out"
  echo "$out" | grep -Eq '^skinned: 0 of [1-9][0-9]*$'
  check "$switch: no window of the program is skinned" $?
  close_program
done

[ $failures -eq 0 ] && echo "wine noskin: all checks passed" || echo "wine noskin: $failures checks failed"
exit $((failures > 0))
