#!/usr/bin/env bash
# The real program under Wine against the controller simulator: COM1 of a
# private Wine prefix is the simulator's pseudo-terminal. "Read Settings"
# must show "UpLoad Success" and the simulator's settings in the edits;
# "Save Settings" after changing two edits must show "DownLoad Success" and
# leave the simulator's memory equal, byte for byte in all nine blocks, to
# what it held before with exactly those two fields changed.
#
#   wine_transfer_test.sh GSMCONFIG_EXE DRIVER_EXE SIMULATOR BUILD_DIR
set -uo pipefail
exe=$1 driver=$2 sim=$3 build=$4
here=$(cd "$(dirname "$0")" && pwd)

source "$here/wine_window_lib.sh"
wine_window_init "$build" wineprefix-transfer "$driver"

"$scripts/start-simulator.sh" --path-file "$work/path" --pid-file "$work/pid" --wineprefix "$WINEPREFIX" \
  --simulator "$sim" --save "$work/memory.bin" --log "$work/sim.log" >/dev/null ||
  { echo "FAIL: simulator"; exit 1; }
echo "COM1 -> $(cat "$work/path")"

start_program "$exe"

# ---- Read Settings ----
out=$(timeout 300 "$scripts/wine-run.sh" "$driver" read)
rc=$?
echo "$out" | sed 's/^/  read: /'
check "Read Settings ends in \"UpLoad Success\"" $rc
for kv in "tel1=5550100" "tel2=+15550101" "tel3=" "sms1=5550199" "name1=Front door opened" \
          "name4=Smoke detected" "name11=Front door closed" "name18=Wired input 8 recover"; do
  echo "$out" | tr -d '\r' | grep -qxF "$kv"
  check "edit shows $kv" $?
done
up_ms=$(echo "$out" | tr -d '\r' | sed -n 's/^ms: //p')
cp "$work/memory.bin" "$work/before.bin"

# ---- Save Settings ----
out=$(timeout 300 "$scripts/wine-run.sh" "$driver" save "tel1=5551234" "name3=Garage door open")
rc=$?
echo "$out" | sed 's/^/  save: /'
check "Save Settings ends in \"DownLoad Success\"" $rc
down_ms=$(echo "$out" | tr -d '\r' | sed -n 's/^ms: //p')

# What the memory must hold: what it held, with the two changed fields.
cp "$work/before.bin" "$work/expected.bin"
patch_field() {  # patch_field ADDRESS WIDTH TEXT
  { printf '%s' "$3"; head -c $(($2 - ${#3})) /dev/zero | tr '\0' '\377'; } |
    dd of="$work/expected.bin" bs=1 seek=$(($1)) conv=notrunc status=none
}
patch_field 0x0200 16 "5551234"
patch_field 0x1640 32 "Garage door open"
for a in 0x0200 0x0400 0x0A00 0x0C00 0x0E00 0x1600 0x1680 0x1800 0x1880; do
  cmp -s <(dd if="$work/expected.bin" bs=1 skip=$((a)) count=128 status=none) \
         <(dd if="$work/memory.bin" bs=1 skip=$((a)) count=128 status=none)
  check "block $a in the simulator equals the window's settings" $?
done

echo "click to box: upload ${up_ms:-?} ms, download ${down_ms:-?} ms"
# The simulator's own count of what it saw, written when it ends.
stop_simulator "$work/pid"
grep "frames" "$work/sim.log" || true
[ $failures -eq 0 ] && echo "wine transfer: all checks passed" || echo "wine transfer: $failures checks failed"
exit $((failures > 0))
