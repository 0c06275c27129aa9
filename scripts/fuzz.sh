#!/bin/sh
# Builds and runs the fuzz targets (libFuzzer, clang, with AddressSanitizer
# and UndefinedBehaviorSanitizer).
#
#   scripts/fuzz.sh                        a campaign: every target for 10 minutes
#   scripts/fuzz.sh --time 3600 link       one target for an hour
#   scripts/fuzz.sh --execs 1000000 image  one target for a million executions
#   scripts/fuzz.sh --runs 3000 lzh        a short fixed run (what the tests do)
#   scripts/fuzz.sh --runs 3000 --no-build lzh   the same without the build check
#   scripts/fuzz.sh --build-only           just build the targets
#   scripts/fuzz.sh --seeds                write tests/fuzz/corpus anew from the seed code
#   scripts/fuzz.sh --bench [TARGET...]    the speed benchmark: a minute each from the
#                                          seeds (default: link and profile)
#
# Targets:
#   lzh container ini bmp   the skin loader's decompressor, container, INI and BMP readers
#   skin                    a loaded skin (TSkinData) and every painter drawing from it
#   link                    replies from the unit while a transfer runs
#   profile                 profile files
#   image                   settings images as a unit delivers them
#   args                    gsmcfg's command line
#   json                    gsmcfg's JSON output of show and diff for any profiles
#   ports                   the port list from the names the system reports
#
# Every run starts from the seed corpus kept in tests/fuzz/corpus. A
# campaign runs the targets one after another, keeps what it finds in
# DIR/corpus/<target> for the next campaign, goes on to the next target
# after a finding and ends with a table of executions, time and findings
# per target (also in DIR/campaign.txt); it exits 1 when anything was found.
# Add an input that found a fault to the seed code as "regress-...".
#
# Options:
#   --build-dir DIR   where to build (default build/fuzz); findings go to DIR/crashes/
#   --time SECONDS    run each target this long in a campaign (default 600)
#   --execs N         run each target N times in a campaign instead
#   --runs N          a short run: N executions from a fixed seed, on a scratch corpus
#   --no-build        run what is built (the tests build the targets once,
#                     before their short runs)
# Set CXX to choose the clang (default clang++).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
seeds="$here/tests/fuzz/corpus"
build="$here/build/fuzz"
all="lzh container ini bmp skin link profile image args json ports"
time=600
execs=""
runs=""
mode=campaign
build_check=1
targets=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build=$2; shift 2 ;;
    --time) time=$2; shift 2 ;;
    --execs) execs=$2; shift 2 ;;
    --runs) runs=$2; mode=short; shift 2 ;;
    --build-only) mode=build; shift ;;
    --no-build) build_check=; shift ;;
    --seeds) mode=seeds; shift ;;
    --bench) mode=bench; time=60; shift ;;
    *)
      case " $all " in
        *" $1 "*) targets="$targets $1"; shift ;;
        *) echo "fuzz.sh: unknown argument $1" >&2; exit 2 ;;
      esac ;;
  esac
done
if [ -z "$targets" ]; then
  if [ "$mode" = bench ]; then targets="link profile"; else targets=$all; fi
fi

# Only one build at a time per folder: parallel test runs share it.
mkdir -p "$build"
if [ -n "$build_check" ] || [ "$mode" != short ]; then
  (
    flock 9
    if [ ! -f "$build/CMakeCache.txt" ]; then
      cmake -S "$here/tests/fuzz/targets" -B "$build" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" >/dev/null
    fi
    cmake --build "$build" -j"${GSM_JOBS:-2}" >/dev/null
  ) 9>"$build/.lock"
fi
case "$mode" in
  build) exit 0 ;;
  seeds) exec "$build/fuzz_seeds" "$seeds" ;;
esac

# Profiles are read up to 1 MiB, settings images are 64 KiB whole; a link
# script is cut at 2 KiB, more than a whole transfer of raw frames needs; the
# other inputs need no more than 4 KiB.
max_len() {
  case "$1" in
    profile) echo 1048576 ;;
    image) echo 65536 ;;
    link) echo 2048 ;;
    *) echo 4096 ;;
  esac
}

# A quarantine of freed memory far larger than one execution frees (a
# megabyte at most) still catches every use after free within an execution,
# and costs a fraction of the default's time and memory. Options given in
# ASAN_OPTIONS come after, and so win.
export ASAN_OPTIONS="quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

# Runs one target: fuzz TARGET LOG CORPUS OPTIONS...
fuzz() {
  t=$1 log=$2 corpus=$3
  shift 3
  # A target's dictionary of the names its inputs hold, when it has one.
  if [ -f "$seeds/$t.dict" ]; then set -- -dict="$seeds/$t.dict" "$@"; fi
  "$build/fuzz_$t" -max_len="$(max_len "$t")" -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$build/crashes/$t-" -print_final_stats=1 "$@" "$corpus" "$seeds/$t" >"$log" 2>&1
}

mkdir -p "$build/crashes"
if [ "$mode" = short ]; then
  for t in $targets; do
    # Reproducible: fixed seed, fixed count, a private scratch corpus so
    # that earlier campaigns do not change what a test run does.
    scratch=$(mktemp -d)
    status=0
    fuzz "$t" "$scratch.log" "$scratch" -seed=1 -runs="$runs" || status=$?
    if [ "$status" -ne 0 ]; then
      tail -n 80 "$scratch.log"
      echo "fuzz_$t failed (exit $status); the input is in $build/crashes/" >&2
    else
      grep -E "^stat::|Done" "$scratch.log" || true
    fi
    rm -rf "$scratch" "$scratch.log" "$scratch.cpu0" "$scratch.cpu1"
    [ "$status" -eq 0 ] || exit "$status"
  done
  exit 0
fi

# CPU seconds that the finished children of this shell have used, from
# what `times` wrote to a file (in a command substitution it would tell a
# subshell's own).
children_cpu() {
  awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, p, "m"); t += p[1] * 60 + p[2] } print t }' "$1"
}

if [ "$mode" = bench ]; then
  # Executions per second from the seeds alone, on a scratch corpus, and
  # per second of CPU the run got (a busy machine gives it less than one a
  # second). Nothing asserts a speed: this only prints.
  printf '%-10s %12s %9s %9s %12s\n' target executions seconds "exec/s" "exec/CPU-s"
  for t in $targets; do
    scratch=$(mktemp -d)
    times >"$scratch.cpu0"
    status=0
    fuzz "$t" "$scratch.log" "$scratch" -max_total_time="$time" || status=$?
    times >"$scratch.cpu1"
    cpu=$(awk -v a="$(children_cpu "$scratch.cpu0")" -v b="$(children_cpu "$scratch.cpu1")" 'BEGIN { print b - a }')
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch.log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$scratch.log" | tail -n 1)
    per_cpu=$(awk -v n="${n:-0}" -v c="$cpu" 'BEGIN { if (c > 0) printf "%d", n / c; else print "?" }')
    printf '%-10s %12s %9s %9s %12s\n' "$t" "${n:-?}" "$time" "${rate:-?}" "$per_cpu"
    [ "$status" -eq 0 ] || tail -n 40 "$scratch.log"
    rm -rf "$scratch" "$scratch.log" "$scratch.cpu0" "$scratch.cpu1"
    [ "$status" -eq 0 ] || exit "$status"
  done
  exit 0
fi

if [ -n "$execs" ]; then limit="-runs=$execs"; else limit="-max_total_time=$time"; fi
summary="$build/campaign.txt"
printf '%-10s %12s %9s %9s\n' target executions seconds findings >"$summary"
found=0
for t in $targets; do
  mkdir -p "$build/corpus/$t"
  log="$build/$t.log"
  before=$(ls "$build/crashes" | grep -c "^$t-" || true)
  start=$(date +%s)
  status=0
  echo "== fuzz_$t ($limit), log in $log"
  fuzz "$t" "$log" "$build/corpus/$t" "$limit" || status=$?
  seconds=$(( $(date +%s) - start ))
  done_execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  findings=$(( $(ls "$build/crashes" | grep -c "^$t-" || true) - before ))
  if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then findings=1; fi
  [ "$findings" -eq 0 ] || { found=1; grep -E "^==[0-9]+==ERROR|^SUMMARY|^link:" "$log" | head -n 5 || true; }
  printf '%-10s %12s %9s %9s\n' "$t" "${done_execs:-?}" "$seconds" "$findings" >>"$summary"
done
cat "$summary"
exit "$found"
