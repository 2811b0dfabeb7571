#!/usr/bin/env bash
# The row path on both builds: builds the rowpath benchmark for Linux (linux-release)
# and for 32-bit Windows (win32, run under Wine), and prints both tables.
#   bench/rowpath.sh [--seconds S]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cmake --preset linux-release >/dev/null
cmake --build --preset linux-release --target rowpath >/dev/null
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target rowpath >/dev/null

echo "== Linux (linux-release)"
build/linux-release/bench/rowpath "$@"

export WINEPREFIX="${VELMORA_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
fi
echo "== Windows (win32, under Wine)"
wine build/win32/bench/rowpath.exe "$@"
