# Shared by the scripts: make sure there is an X display to run Wine on.
# gsm_ensure_display <state-dir>: keeps DISPLAY when it works; otherwise starts
# one Xvfb per state folder (reused by later calls) and exports DISPLAY.
gsm_ensure_display() {
  local dir=$1
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  if [ -n "${DISPLAY:-}" ] && ! command -v xdpyinfo >/dev/null 2>&1; then return 0; fi
  mkdir -p "$dir"
  (
    flock 8
    if [ -f "$dir/.xvfb-display" ]; then
      local n pid
      n=$(cat "$dir/.xvfb-display"); pid=$(cat "$dir/.xvfb-pid" 2>/dev/null || echo 0)
      if kill -0 "$pid" 2>/dev/null; then exit 0; fi
    fi
    local n=$(( 90 + RANDOM % 400 ))
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    # The server must not inherit the lock, or it would hold it for good.
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 8>&- &
    echo $! >"$dir/.xvfb-pid"
    echo "$n" >"$dir/.xvfb-display"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  ) 8>"$dir/.xvfb.lock"
  export DISPLAY=":$(cat "$dir/.xvfb-display")"
}
