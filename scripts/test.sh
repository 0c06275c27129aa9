#!/usr/bin/env bash
# Installs what is missing, builds both flavours and runs every test, in
# four stages:
#   native      the native flavour under AddressSanitizer and
#               UndefinedBehaviorSanitizer: every native test, the short
#               fuzz runs included (their targets are built first);
#   sanitizers  the threaded tests (label "threads") under ThreadSanitizer;
#   win32       the win32 flavour under Wine on a virtual display, each test
#               program in one process, two at a time (those that show
#               windows one at a time);
#   release     the release packages, built and checked.
# Ends with the time of each stage, and fails when any process it started
# (Wine servers, displays, simulators) is still running.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

jobs=${GSM_JOBS:-2}
# ccache keys on paths relative to the checkout, so that another clone of the
# project on this machine reuses what this one compiled.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1

stages=() current= started=$SECONDS stage_start=$SECONDS
stage() {  # stage NAME TITLE: ends the running stage and starts the next
  [ -z "$current" ] || stages+=("$current $((SECONDS - stage_start))")
  current=$1 stage_start=$SECONDS
  echo "== $1: $2"
}
report_times() {
  [ -z "$current" ] || stages+=("$current $((SECONDS - stage_start))")
  current=
  local s name secs
  echo "== time per stage"
  for s in "${stages[@]}"; do
    name=${s% *} secs=${s##* }
    printf '%-12s %3d:%02d\n' "$name" $((secs / 60)) $((secs % 60))
  done
  secs=$((SECONDS - started))
  printf '%-12s %3d:%02d\n' total $((secs / 60)) $((secs % 60))
}
# Passed, failed or interrupted: what the Wine tests left for the next
# program ends with the run.
finish() {
  local rc=$?
  trap - EXIT INT TERM
  [ ! -d build/win32 ] || scripts/wine-stop.sh build/win32
  report_times
  exit "$rc"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

stage setup "install what is missing"
scripts/setup.sh

stage native "build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j"$jobs"
# The fuzz targets (a clang project of their own) are built here, before
# any test runs, rather than by the test fuzz_build beside timed tests.
GSM_JOBS=$jobs CXX=$(command -v clang++ || command -v clang++-14) \
  scripts/fuzz.sh --build-dir build/native-asan/tests/fuzz/build --build-only
ctest --preset native-asan

stage sanitizers "the tests labelled \"threads\" under ThreadSanitizer"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j"$jobs" --target gsm_threaded_tests
TSAN_OPTIONS=halt_on_error=1 ctest --preset native-tsan -L threads

stage win32 "build and test under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
ctest --preset win32

stage release "build the packages and check them"
GSM_JOBS=$jobs scripts/package.sh
scripts/check-package.sh

stage leftovers "no process of this run is still running"
scripts/wine-stop.sh build/win32
if ! python3 scripts/leftover-processes.py "$root"; then
  echo "test.sh: processes of this run are still running (listed above)" >&2
  exit 1
fi
echo "nothing left running"
