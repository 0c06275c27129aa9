#!/bin/sh
# Builds and runs the skin loader's fuzz targets (libFuzzer, clang).
#
#   scripts/fuzz.sh                      every target for 10 minutes each
#   scripts/fuzz.sh --time 3600 bmp      one target for an hour
#   scripts/fuzz.sh --runs 3000 lzh      a fixed number of runs (what the tests do)
#   scripts/fuzz.sh --build-only         just build the targets and seeds
#
# Targets: lzh container ini bmp. Options:
#   --build-dir DIR   where to build (default build/fuzz); new findings go to
#                     DIR/corpus/<target>, crashes to DIR/crashes/
#   --time SECONDS    run each target this long (default 600)
#   --runs N          run each target N times instead, from a fixed seed
#   --jobs N          parallel fuzzing jobs per target for long runs (default 1)
# Set CXX to choose the clang (default clang++).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build/fuzz"
time=600
runs=""
jobs=1
build_only=0
targets=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build=$2; shift 2 ;;
    --time) time=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --build-only) build_only=1; shift ;;
    lzh|container|ini|bmp) targets="$targets $1"; shift ;;
    *) echo "fuzz.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
[ -n "$targets" ] || targets="lzh container ini bmp"

# Only one build at a time per folder: parallel test runs share it.
mkdir -p "$build"
(
  flock 9
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here/tests/skin/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" >/dev/null
  fi
  cmake --build "$build" -j2 >/dev/null
  "$build/fuzz_seeds" "$build/seeds"
) 9>"$build/.lock"
[ "$build_only" = 1 ] && exit 0

mkdir -p "$build/crashes"
for t in $targets; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  if [ -n "$runs" ]; then
    # Reproducible: fixed seed, fixed count, a private scratch corpus so
    # that earlier long runs do not change what a test run does.
    scratch=$(mktemp -d)
    log="$scratch.log"
    status=0
    "$build/fuzz_$t" -seed=1 -runs="$runs" -max_len=4096 -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="$build/crashes/$t-" -print_final_stats=1 \
      "$scratch" "$build/seeds/$t" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
      tail -n 80 "$log"
      echo "fuzz_$t failed (exit $status); the input is in $build/crashes/" >&2
    else
      grep -E "^stat::|Done" "$log" || true
    fi
    rm -rf "$scratch" "$log"
    [ "$status" -eq 0 ] || exit "$status"
  else
    parallel=""
    [ "$jobs" -gt 1 ] && parallel="-jobs=$jobs -workers=$jobs"
    # shellcheck disable=SC2086
    "$build/fuzz_$t" -max_total_time="$time" -max_len=4096 -timeout=20 -rss_limit_mb=2048 \
      $parallel -artifact_prefix="$build/crashes/$t-" -print_final_stats=1 \
      "$corpus" "$build/seeds/$t"
  fi
done
