#!/usr/bin/env bash
# The soak: ROWS rows (default 1 000 000, in packets of 1 000) of failing_rows.pas through
# velmora-host of the linux-release build. Samples the process's resident memory every
# 0.2 s and prints it at the start (a tenth of the way in), its peak and its last
# sample, and peak minus start.
#   bench/soak/soak.sh [ROWS] [velmora-host]
set -euo pipefail
cd "$(dirname "$0")"
rows=${1:-1000000}
host=${2:-../../build/linux-release/bin/velmora-host}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$rows" > "$work/input.jsonl" <<'PY'
import sys
rows = int(sys.argv[1])
for start in range(1, rows + 1, 1000):
    print("[" + ",".join('{"A":%d}' % n for n in range(start, min(start + 1000, rows + 1))) + "]")
PY
"$host" run --script failing_rows.pas --input "$work/input.jsonl" --log /dev/null > /dev/null &
pid=$!
samples=() peak=0 last=0
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
  if [ -n "$rss" ]; then
    samples+=("$rss")
    [ "$rss" -gt "$peak" ] && peak=$rss
    last=$rss
  fi
  sleep 0.2
done
wait "$pid"
# The start is the sample a tenth of the way in: the program is loaded, the script
# compiled and the first packets are through.
start=${samples[$(( ${#samples[@]} / 10 ))]}
echo "rows $rows: start ${start} KB, peak ${peak} KB, last ${last} KB, peak - start $(( (peak - start) / 1024 )) MB"
