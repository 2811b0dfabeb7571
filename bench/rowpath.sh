#!/usr/bin/env bash
# The row path on both builds: builds the rowpath benchmark for Linux (linux-release)
# and for Windows (under Wine: the 32-bit product, or the 64-bit test build where this
# machine does not run 32-bit programs), and prints both tables.
#   bench/rowpath.sh [--seconds S]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cmake --preset linux-release >/dev/null
cmake --build --preset linux-release --target rowpath >/dev/null
windows=win32 wine=(wine)
if ! scripts/runs-win32; then windows=win64 wine=(/usr/lib/wine/wine64); fi
cmake --preset "$windows" >/dev/null
cmake --build --preset "$windows" --target rowpath >/dev/null

echo "== Linux (linux-release)"
build/linux-release/bench/rowpath "$@"

prefix="$root/build/wineprefix"
[ "$windows" = win64 ] && prefix="$root/build/wineprefix-win64"
export WINEPREFIX="${VELMORA_WINEPREFIX:-$prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "${wine[@]}" wineboot -i >/dev/null 2>&1 || true
fi
echo "== Windows ($windows, under Wine)"
"${wine[@]}" "build/$windows/bench/rowpath.exe" "$@"
