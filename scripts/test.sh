#!/usr/bin/env bash
# Installs what is missing, builds both flavours and runs every test:
# the native flavour directly, the win32 flavour under Wine on a virtual
# display, one test at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=${GSM_JOBS:-2}
echo "== native: build and test"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native

echo "== win32: build and test under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
ctest --preset win32
