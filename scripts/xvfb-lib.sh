# Shared by the scripts: make sure there is an X display to run Wine on, and
# end the one that was started for it. Sourcing defines functions only.
#
# gsm_ensure_display <state-dir>: keeps DISPLAY when it works; otherwise starts
#   one Xvfb per state folder (reused by later calls) and exports DISPLAY.
#   Sets GSM_DISPLAY_STARTED=1 when this call started the server, so that
#   its caller knows it owns it and must end it.
# gsm_stop_display <state-dir>: ends the Xvfb started for that state folder,
#   if it still runs, and waits until it is gone.
gsm_ensure_display() {
  local dir=$1
  GSM_DISPLAY_STARTED=
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  if [ -n "${DISPLAY:-}" ] && ! command -v xdpyinfo >/dev/null 2>&1; then return 0; fi
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  local started
  started=$(
    exec 8>"$dir/.xvfb.lock"
    flock 8
    if [ -f "$dir/.xvfb-display" ] && _gsm_is_our_xvfb "$(cat "$dir/.xvfb-pid" 2>/dev/null)" "$dir"; then exit 0; fi
    n=$(( 90 + RANDOM % 400 ))
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    # The server must not inherit the lock, or it would hold it for good,
    # nor the Wine prefix of its caller, whose processes are waited for by it.
    # GSM_XVFB_STATE marks it as ours in its environment (see
    # scripts/leftover-processes.py and _gsm_is_our_xvfb).
    env -u WINEPREFIX GSM_XVFB_STATE="$dir" Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>&- &
    echo $! >"$dir/.xvfb-pid"
    echo "$n" >"$dir/.xvfb-display"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    echo 1
  )
  GSM_DISPLAY_STARTED=$started
  export DISPLAY=":$(cat "$dir/.xvfb-display")"
}

# _gsm_is_our_xvfb PID STATE-DIR: the process is an Xvfb started for that
# folder (a pid file can outlive its server and the pid be reused).
_gsm_is_our_xvfb() {
  local pid=$1 dir=$2
  [ -n "$pid" ] && [ -r "/proc/$pid/environ" ] || return 1
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "GSM_XVFB_STATE=$dir"
}

gsm_stop_display() {
  local dir=$1 pid
  [ -d "$dir" ] || return 0
  dir=$(cd "$dir" && pwd)
  pid=$(cat "$dir/.xvfb-pid" 2>/dev/null || true)
  if _gsm_is_our_xvfb "$pid" "$dir"; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$dir/.xvfb-pid" "$dir/.xvfb-display"
}
