#!/usr/bin/env bash
# Installs what is missing, builds both flavours and runs every test:
# the native flavour directly (also under AddressSanitizer with
# UndefinedBehaviorSanitizer, and its threaded parts under ThreadSanitizer),
# the win32 flavour under Wine on a virtual display, one test at a time;
# then the release packages are built and checked. Fails when any process it
# started (Wine servers, displays, simulators) is still running at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# Passed, failed or interrupted: what the Wine tests left for the next
# program ends with the run.
finish() {
  local rc=$?
  trap - EXIT INT TERM
  [ ! -d build/win32 ] || scripts/wine-stop.sh build/win32
  exit "$rc"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
scripts/setup.sh

jobs=${GSM_JOBS:-2}
# ccache keys on paths relative to the checkout, so that another clone of the
# project on this machine reuses what this one compiled.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
echo "== native: build and test"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native

echo "== native with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j"$jobs"
# The fuzz runs build their own clang programs with the fuzzer's sanitizers.
ctest --preset native-asan -LE fuzz

echo "== native with ThreadSanitizer: the tests labelled \"threads\""
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j"$jobs" --target gsm_threaded_tests
TSAN_OPTIONS=halt_on_error=1 ctest --preset native-tsan -L threads

echo "== win32: build and test under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
ctest --preset win32
scripts/wine-stop.sh build/win32

echo "== release: build the packages and check them"
scripts/package.sh
scripts/check-package.sh

echo "== no process of this run is still running"
scripts/wine-stop.sh build/win32
if ! python3 scripts/leftover-processes.py "$root"; then
  echo "test.sh: processes of this run are still running (listed above)" >&2
  exit 1
fi
echo "nothing left running"
