#!/usr/bin/env bash
# xwait.sh <title> [seconds]: waits until a top-level window whose name
# contains <title> exists on $DISPLAY; prints its window id.
set -euo pipefail
title=$1; limit=${2:-120}
for _ in $(seq 1 $((limit * 4))); do
  id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title" | awk '{print $1}' | head -n 1 || true)
  if [ -n "$id" ]; then echo "$id"; exit 0; fi
  sleep 0.25
done
echo "xwait: no window \"$title\" after ${limit}s" >&2
exit 1
