#!/usr/bin/env bash
# Installs what is missing, builds both flavours and runs every test:
# the native flavour directly (also under AddressSanitizer with
# UndefinedBehaviorSanitizer, and its threaded parts under ThreadSanitizer),
# the win32 flavour under Wine on a virtual display, one test at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=${GSM_JOBS:-2}
echo "== native: build and test"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native

echo "== native with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j"$jobs"
# The fuzz runs build their own clang programs with the fuzzer's sanitizers.
ctest --preset native-asan -LE fuzz

echo "== native with ThreadSanitizer: the code that runs threads"
cmake --preset native-tsan >/dev/null
tsan_tests=(framework/framework_tests serial/serial_tests serial/serial_posix_tests
            protocol/protocol_link_tests transfer/transfer_e2e_tests)
cmake --build --preset native-tsan -j"$jobs" --target "${tsan_tests[@]##*/}"
for t in "${tsan_tests[@]}"; do
  echo "-- $t"
  TSAN_OPTIONS=halt_on_error=1 "build/native-tsan/tests/$t" --gtest_brief=1
done

echo "== win32: build and test under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
ctest --preset win32
