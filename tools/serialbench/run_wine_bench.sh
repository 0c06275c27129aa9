#!/usr/bin/env bash
# Runs the Win32 serialbench under Wine against a pseudo-terminal mapped to COM12.
#   run_wine_bench.sh <build dir of the win32 flavour>
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
exe=$build/tools/serialbench/serialbench.exe
wine_run=$here/../../scripts/wine-run.sh
export GSM_BUILD_DIR=$build
prefix=${WINEPREFIX:-$build/wineprefix}
# Boot the prefix before the port link is made in it.
"$wine_run" cmd /c exit >/dev/null 2>&1 || true
exec python3 "$here/pty_peer.py" --link "$prefix/dosdevices/com12" -- "$wine_run" "$exe" com12
