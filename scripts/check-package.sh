#!/usr/bin/env bash
# Checks the release that scripts/package.sh made in dist/: each archive
# holds exactly what it should, the programs in it are stripped,
# gsmconfig.exe is under 2 MB, and the packaged gsmconfig.exe starts under
# Wine and shows its window, whose caption and version resource carry the
# version in the archive's name.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
version=$(cat build/win32/generated/version.txt)
driver=$root/build/win32/tests/transfer/transfer_driver.exe

passed=0 failed=0
check() {  # check NAME CONDITION-STATUS
  if [ "$2" -eq 0 ]; then echo "ok: $1"; passed=$((passed + 1)); else echo "FAIL: $1"; failed=$((failed + 1)); fi
}
work=$(mktemp -d "${TMPDIR:-/tmp}/gsm-package-XXXXXX")
prog=
wine_started=
source scripts/xvfb-lib.sh
# Whether passed, failed or interrupted: the program, the prefix's Wine
# server and the display this script started end with it.
cleanup() {
  trap - INT TERM
  if [ -n "$prog" ] && kill -0 "$prog" 2>/dev/null; then
    timeout 60 scripts/wine-run.sh "$driver" close >/dev/null 2>&1 || true
    for _ in $(seq 1 300); do kill -0 "$prog" 2>/dev/null || break; sleep 0.1; done
    kill "$prog" 2>/dev/null || true
  fi
  [ -z "$wine_started" ] || scripts/wine-run.sh --stop
  [ -z "${GSM_DISPLAY_STARTED:-}" ] || gsm_stop_display "$work/display"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# ---- the zip ----
zip=dist/gsmconfig-$version-win64.zip
want="README.txt gsmcfg.exe gsmconfig.exe sample-site.sf"
got=$(cmake -E tar tf "$zip" 2>/dev/null | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
[ "$got" = "$want" ]
check "$zip holds $want (it holds: ${got:-nothing})" $?
mkdir -p "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$root/$zip")
exe=$work/zip/gsmconfig.exe
size=$(stat -c %s "$exe" 2>/dev/null || echo 0)
[ "$size" -gt 0 ] && [ "$size" -lt $((2 * 1024 * 1024)) ]
check "gsmconfig.exe is under 2 MB ($size bytes)" $?
for p in gsmconfig.exe gsmcfg.exe; do
  x86_64-w64-mingw32-nm "$work/zip/$p" 2>&1 | grep -q 'no symbols'
  check "$p is stripped" $?
done
cmp -s "$work/zip/sample-site.sf" packaging/sample-site.sf
check "sample-site.sf is the sample profile" $?
grep -q $'\r$' "$work/zip/README.txt" && grep -q "Configurator $version" "$work/zip/README.txt" &&
  grep -q '/noskin' "$work/zip/README.txt" && grep -q 'gsmcfg write' "$work/zip/README.txt"
check "README.txt is Windows text for version $version" $?

# ---- the packaged program under Wine ----
export GSM_BUILD_DIR=$root/build/win32
export WINEPREFIX=$GSM_BUILD_DIR/wineprefix-package
gsm_ensure_display "$work/display"
wine_started=1
scripts/wine-run.sh --boot >/dev/null 2>&1
scripts/wine-run.sh "$exe" >"$work/program.log" 2>&1 &
prog=$!
# The driver waits for the window captioned "... Ver<this build's version>".
timeout 300 scripts/wine-run.sh "$driver" skinned >/dev/null 2>&1
check "the packaged gsmconfig.exe shows its window, captioned \"GSM SMS Controller Alarm Configurator Ver$version\"" $?
out=$(timeout 120 scripts/wine-run.sh "$driver" version "Z:$exe" | tr -d '\r')
echo "$out" | grep -qx "FileVersion: $version" && echo "$out" | grep -qx "fixed: $version"
check "its version resource says $version" $?
timeout 60 scripts/wine-run.sh "$driver" close >/dev/null 2>&1
for _ in $(seq 1 300); do kill -0 "$prog" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$prog" 2>/dev/null
check "closing the window ends it" $?

# ---- the Linux archive ----
tgz=dist/gsmcfg-$version-linux-x86_64.tar.gz
want="gsmcfg-$version/README.txt gsmcfg-$version/gsmcfg"
got=$(tar tzf "$tgz" 2>/dev/null | grep -v '/$' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
[ "$got" = "$want" ]
check "$tgz holds $want (it holds: ${got:-nothing})" $?
mkdir -p "$work/tgz" && tar xzf "$tgz" -C "$work/tgz"
cli=$work/tgz/gsmcfg-$version/gsmcfg
[ -x "$cli" ] && ! readelf -S "$cli" | grep -q '\.symtab'
check "gsmcfg is a stripped program" $?
"$cli" show packaging/sample-site.sf >"$work/show.txt" 2>&1 && grep -q 'Smoke detected' "$work/show.txt"
check "the packaged gsmcfg shows the sample profile" $?

echo "package: $passed passed, $failed failed"
exit $((failed > 0))
