#!/usr/bin/env bash
# gsmcfg.exe under Wine against the controller simulator: COM1 of a private
# Wine prefix is the simulator's pseudo-terminal. "read COM1 -o unit.sf"
# must end with status 0 and write the profile of the simulator's settings,
# all 62 keys with CR LF line ends; "find" lists COM1 and "read auto" reads
# through it; a port that does not exist ends with status 3.
#
#   wine_gsmcfg_test.sh GSMCFG_EXE SIMULATOR BUILD_DIR
set -uo pipefail
exe=$1 sim=$2 build=$3
here=$(cd "$(dirname "$0")" && pwd)

# The prefix, the work folder, the checks and the clean-up (simulator, Wine
# server, display) are those of the window scripts; there is no window here.
source "$here/../transfer/wine_window_lib.sh"
wine_window_init "$build" wineprefix-gsmcfg ""

"$scripts/start-simulator.sh" --path-file "$work/path" --pid-file "$work/pid" --wineprefix "$WINEPREFIX" \
  --simulator "$sim" --log "$work/sim.log" >/dev/null || { echo "FAIL: simulator"; exit 1; }
rm -f "$WINEPREFIX/dosdevices/com9"

cd "$work"
out=$(timeout 120 "$scripts/wine-run.sh" "$exe" read COM1 -o unit.sf --wait 30)
rc=$?
echo "$out" | sed 's/^/  gsmcfg: /'
check "gsmcfg.exe read COM1 ends with status 0" $rc
[ -f unit.sf ]
check "the profile is written" $?
head -c 40 unit.sf | grep -q $'^\\[COM\\]\r$'
check "the profile begins with [COM] and CR LF" $?
for kv in "ComName=COM1" "tel1=5550100" "tel2=+15550101" "sms1=5550199" "name1=Front door opened" \
          "name11=Front door closed" "rtt=24" "adt=10" "pdat=1" "nt1=1" "volo=5" "pwd=1234" "relaytime=3"; do
  tr -d '\r' <unit.sf | grep -qxF "$kv"
  check "the profile holds $kv" $?
done
[ "$(grep -c '=' unit.sf)" -eq 62 ] && [ "$(grep -c $'\r$' unit.sf)" -eq "$(wc -l <unit.sf)" ]
check "62 keys, every line ending in CR LF" $?

out=$(timeout 120 "$scripts/wine-run.sh" "$exe" find --wait 30)
rc=$?
echo "$out" | sed 's/^/  find: /'
[ $rc -eq 0 ] && [ "$(echo "$out" | tr -d '\r' | grep -cE '^COM1( |$)')" -eq 1 ]
check "gsmcfg.exe find lists COM1, where the unit is (status $rc)" $?

timeout 120 "$scripts/wine-run.sh" "$exe" read auto -o auto.sf --wait 30 >/dev/null 2>&1
rc=$?
[ $rc -eq 0 ] && tr -d '\r' <auto.sf | grep -qxF "ComName=COM1"
check "gsmcfg.exe read auto reads the unit on COM1 (status $rc)" $?

timeout 120 "$scripts/wine-run.sh" "$exe" read COM9 -o none.sf >/dev/null 2>&1
rc=$?
[ $rc -eq 3 ] && [ ! -e none.sf ]
check "a port that does not exist ends with status 3 (got $rc)" $?

[ $failures -eq 0 ] && echo "wine gsmcfg: all checks passed" || echo "wine gsmcfg: $failures checks failed"
exit $((failures > 0))
