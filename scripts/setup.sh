#!/usr/bin/env bash
# Installs what the build, the tests and the run need on a Debian 12 machine.
# Idempotent: when everything is there it checks and returns at once.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

have_cmd cmake || need+=(cmake)
have_cmd g++ || need+=(g++)
have_cmd make || need+=(make)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)
have_cmd x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)
{ have_cmd wine64 || have_cmd wine; } || need+=(wine wine64)
# Wine's own fonts give "MS Sans Serif" its Windows metrics.
have_pkg fonts-wine || need+=(fonts-wine)
have_cmd Xvfb || need+=(xvfb)
have_cmd xauth || need+=(xauth)
have_cmd xdpyinfo || need+=(x11-utils)
have_cmd import || need+=(imagemagick)
have_cmd clang++ || need+=(clang)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
have_pkg libclang-rt-14-dev || need+=(libclang-rt-14-dev)
have_cmd ccache || need+=(ccache)
have_cmd flock || need+=(util-linux)
have_cmd python3 || need+=(python3)

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # With recommends: Wine needs the X rendering libraries it recommends.
  $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
fi
