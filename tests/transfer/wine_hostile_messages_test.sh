#!/usr/bin/env bash
# Another program on the desktop posts made-up messages (WM_USER to
# WM_USER+0x40, WM_APP to WM_APP+0x140, with parameters that look like
# pointers, counts and handles) to every window and thread of the running
# program: once while it is idle, and once while "Read Settings" runs. The
# program must keep running, the transfer must end in "UpLoad Success" and the window must hold the simulator's settings.
#
#   wine_hostile_messages_test.sh GSMCONFIG_EXE DRIVER_EXE ATTACKER_EXE SIMULATOR BUILD_DIR
set -uo pipefail
exe=$1 driver=$2 attacker=$3 sim=$4 build=$5
here=$(cd "$(dirname "$0")" && pwd)

source "$here/wine_window_lib.sh"
wine_window_init "$build" wineprefix-hostile "$driver"

# Replies a little late, so that the transfer lasts while the messages fly.
"$scripts/start-simulator.sh" --path-file "$work/path" --pid-file "$work/pid" --wineprefix "$WINEPREFIX" \
  --simulator "$sim" --log "$work/sim.log" --reply-delay 100 >/dev/null ||
  { echo "FAIL: simulator"; exit 1; }
echo "COM1 -> $(cat "$work/path")"

start_program "$exe"

expect_settings() {  # expect_settings LABEL DRIVER-OUTPUT
  for kv in "tel1=5550100" "tel2=+15550101" "sms1=5550199" "name1=Front door opened" \
            "name11=Front door closed" "name18=Wired input 8 recover"; do
    echo "$2" | tr -d '\r' | grep -qxF "$kv"
    check "$1: edit shows $kv" $?
  done
}

# ---- idle ----
out=$(timeout 600 "$scripts/wine-run.sh" "$attacker" storm)
rc=$?
echo "$out" | grep -v '^window: ' | sed 's/^/  idle storm: /'
echo "$out" | tr -d '\r' | sed -n 's/^window: //p' | sort | uniq -c | sed 's/^/  attacked: /'
check "the program survives the messages while idle" $rc
out=$(timeout 300 "$scripts/wine-run.sh" "$driver" read)
rc=$?
echo "$out" | grep -E '^(box|ms):' | sed 's/^/  read after: /'
check "Read Settings after the idle storm ends in \"UpLoad Success\"" $rc
expect_settings "after the idle storm" "$out"

# ---- during a transfer ----
# The attacker storms once the port is open; the driver presses
# "Read Settings" meanwhile and reads the box and the edits.
# The read starts once the attacker watches the program's threads, so that
# the port's threads are new to it however long Wine takes to start it.
timeout 600 "$scripts/wine-run.sh" "$attacker" transfer "Z:$work/ready" >"$work/attack.log" 2>&1 &
attack=$!
for _ in $(seq 1 1200); do [ -e "$work/ready" ] || ! kill -0 $attack 2>/dev/null && break; sleep 0.1; done
[ -e "$work/ready" ]
check "the attacker watches the program before the transfer" $?
out=$(timeout 300 "$scripts/wine-run.sh" "$driver" read)
rc=$?
wait $attack
attack_rc=$?
grep -v '^window: ' "$work/attack.log" | sed 's/^/  transfer storm: /'
echo "$out" | grep -E '^(box|ms):' | sed 's/^/  read during: /'
check "the program survives the messages during a transfer" $attack_rc
check "Read Settings under the storm ends in \"UpLoad Success\"" $rc
expect_settings "during the storm" "$out"

[ $failures -eq 0 ] && echo "wine hostile messages: all checks passed" ||
  echo "wine hostile messages: $failures checks failed"
exit $((failures > 0))
