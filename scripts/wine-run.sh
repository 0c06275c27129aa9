#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix private to the build tree, on a
# virtual X display when there is none. Used as CTest's cross-compiling
# emulator and by the run and screenshot scripts.
#
#   wine-run.sh program.exe [args...]
#   wine-run.sh --boot      only prepare the prefix and the display
#   wine-run.sh --stop      end the prefix's Wine server and wait for it
#
# Environment: GSM_BUILD_DIR (default: the nearest folder above the program
# that holds CMakeCache.txt), WINEPREFIX (default: $GSM_BUILD_DIR/wineprefix).
#
# The Wine server and the display are left running for the next program (a
# test run starts hundreds): whoever owns the prefix ends them, with
# --stop (or scripts/wine-stop.sh for every prefix of a build folder) and
# gsm_stop_display of scripts/xvfb-lib.sh.
#
# A new prefix is a copy of one booted prefix of the build folder
# ($GSM_BUILD_DIR/wineprefix-template): copying takes a moment, booting
# takes most of a minute. (A full copy: prefixes that share their files
# through hard links disturb each other's servers.)
set -euo pipefail

exe=$1; shift
boot_only=
case $exe in
  --boot) boot_only=1; exe=${GSM_BUILD_DIR:?GSM_BUILD_DIR must be set with --boot}/none ;;
  --stop)
    export WINEPREFIX=${WINEPREFIX:-${GSM_BUILD_DIR:?GSM_BUILD_DIR or WINEPREFIX must be set with --stop}/wineprefix}
    wineserver -k >/dev/null 2>&1 || true
    timeout 60 wineserver -w >/dev/null 2>&1 || true
    exit 0 ;;
esac
if [ -z "${GSM_BUILD_DIR:-}" ]; then
  d=$(cd "$(dirname "$exe")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] || d=$(cd "$(dirname "$exe")" && pwd)
  GSM_BUILD_DIR=$d
fi
export WINEPREFIX=${WINEPREFIX:-$GSM_BUILD_DIR/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

source "$(dirname "${BASH_SOURCE[0]}")/xvfb-lib.sh"
gsm_ensure_display "$GSM_BUILD_DIR"

WINE=$(command -v wine64 || command -v wine)

# Boot a new prefix once, under a lock: boot the template prefix of the
# build folder when there is none yet, let its server end (so that its
# registry is on disk), then copy it. Started servers must not inherit the
# lock. The prefix gets Wine's own bitmap fonts ("MS Sans Serif" is then
# metric-compatible with Windows instead of a wider substitute), and
# unmanaged windows: under Xvfb there is no window manager, and a managed
# window waits for one on every hide.
#
# The marker names Wine's version: after an upgrade the template is booted
# anew and the prefixes copied again.
marker=.gsm-booted-v3-$("$WINE" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' _)
template=$GSM_BUILD_DIR/wineprefix-template
mkdir -p "$(dirname "$WINEPREFIX")" "$GSM_BUILD_DIR"
(
  flock 9
  if [ ! -f "$WINEPREFIX/$marker" ]; then
    if [ ! -f "$template/$marker" ]; then
      rm -rf "$template"
      (
        export WINEPREFIX=$template
        wineboot -i >/dev/null 2>&1 9>&- || true
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp -n /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 9>&- || true
        # The server ends a few seconds after its last program; one that
        # does not is ended, which also writes the registry out.
        timeout 60 wineserver -w 9>&- || { wineserver -k 9>&- || true; timeout 60 wineserver -w 9>&- || true; }
        touch "$WINEPREFIX/$marker"
      )
    fi
    # Only a prefix inside the build folder is replaced; any other folder
    # may be someone's own prefix.
    if [ -e "$WINEPREFIX" ]; then
      case $(cd "$WINEPREFIX" && pwd)/ in
        "$(cd "$GSM_BUILD_DIR" && pwd)"/*) ;;
        *) echo "wine-run: $WINEPREFIX was not made here; remove it or choose another WINEPREFIX" >&2; exit 1 ;;
      esac
      # A server of an older prefix at this place must not outlive its files.
      wineserver -k >/dev/null 2>&1 9>&- || true
      timeout 60 wineserver -w 9>&- || true
      rm -rf "$WINEPREFIX"
    fi
    rm -rf "$WINEPREFIX.copy"
    cp -a "$template" "$WINEPREFIX.copy"
    mv "$WINEPREFIX.copy" "$WINEPREFIX"
  fi
) 9>"$GSM_BUILD_DIR/.wineprefix.lock"

# Start the server and the prefix's services detached from our output: a
# caller that reads our output to its end (CTest does) would otherwise wait
# for those long-lived processes to exit.
wineserver -p 300 </dev/null >/dev/null 2>&1 || true
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true
[ -z "$boot_only" ] || exit 0

# The program's output goes through a file for the same reason: anything it
# leaves running must not hold our caller's pipe.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
set +e
"$WINE" "$exe" "$@" </dev/null >"$out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -f "$out"' TERM INT
wait $pid
rc=$?
set -e
cat "$out"
exit $rc
