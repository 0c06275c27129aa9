#!/usr/bin/env bash
# Runs the Wine serial test with COM12 of the build's Wine prefix mapped to a
# pseudo-terminal whose other end echoes.
#   run_wine_pty_test.sh <wine-run.sh> <test.exe> <build dir>
set -euo pipefail
wine_run=$1 exe=$2 build=$(cd "$3" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
peer=$here/../../../tools/serialbench/pty_peer.py
export GSM_BUILD_DIR=$build
prefix=${WINEPREFIX:-$build/wineprefix}
# Boot the prefix first (listing the tests does it), so that the port link
# is made in a finished prefix.
"$wine_run" "$exe" --gtest_list_tests >/dev/null
export GSM_SERIAL_TEST_PORT=com12
exec python3 "$peer" --link "$prefix/dosdevices/com12" -- "$wine_run" "$exe" "${@:4}"
