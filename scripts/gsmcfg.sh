#!/usr/bin/env bash
# Runs the native gsmcfg with the arguments given, building it first when
# needed (the build's own output only shows when it fails).
#
#   scripts/gsmcfg.sh read /dev/ttyUSB0 -o site.sf
#   scripts/gsmcfg.sh write /dev/ttyUSB0 site.sf --verify
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/native
if ! command -v cmake >/dev/null || ! command -v g++ >/dev/null; then "$root/scripts/setup.sh" >&2; fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { [ -f "$build/CMakeCache.txt" ] || (cd "$root" && cmake --preset native); } >"$log" 2>&1 ||
   ! cmake --build "$build" --target gsmcfg -j2 >>"$log" 2>&1; then
  cat "$log" >&2
  echo "gsmcfg.sh: the build failed" >&2
  exit 2
fi
rm -f "$log"
trap - EXIT
exec "$build/src/cli/gsmcfg" "$@"
