#!/usr/bin/env bash
# wine-soak.sh [N]: runs the Wine tests of the current win32 build N times
# in a row (default 5), without building, and reports each round: passed or
# the tests that failed, its time, and whether it left a process running.
# Exits 1 when any round failed. The logs stay in build/win32/soak/.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
rounds=${1:-5}
build=build/win32
[ -f "$build/CTestTestfile.cmake" ] || { echo "wine-soak: no win32 build; run scripts/test.sh or build the win32 preset first" >&2; exit 2; }
logs=$build/soak
mkdir -p "$logs"
trap 'scripts/wine-stop.sh "$build"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

bad=0
for i in $(seq 1 "$rounds"); do
  start=$SECONDS
  ctest --preset win32 >"$logs/round-$i.log" 2>&1
  rc=$?
  scripts/wine-stop.sh "$build"
  left=$(python3 scripts/leftover-processes.py "$root" 5 | wc -l)
  secs=$((SECONDS - start))
  if [ "$rc" -eq 0 ] && [ "$left" -eq 0 ]; then
    printf 'round %d: passed in %d:%02d\n' "$i" $((secs / 60)) $((secs % 60))
  else
    bad=$((bad + 1))
    failed=$(sed -n 's/^ *[0-9]* - \(.*\) (.*)$/\1/p' "$logs/round-$i.log" | tr '\n' ' ')
    printf 'round %d: FAILED in %d:%02d: %s%s (log: %s)\n' "$i" $((secs / 60)) $((secs % 60)) \
      "${failed:-status $rc}" "$([ "$left" -eq 0 ] || echo "; $left processes left running")" "$logs/round-$i.log"
  fi
done
echo "wine soak: $((rounds - bad)) passed, $bad failed"
exit $((bad > 0))
