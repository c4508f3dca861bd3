#!/usr/bin/env bash
# The window (offscreen) scanning the 1M-file benchmark tree beside the
# headless scan of the same tree, warm cache: time to completion and the
# longest stall of the window's event loop.
#   bench/window.sh            (RUNS=3 by default)
set -euo pipefail
runs="${RUNS:-3}"
source "$(dirname "$0")/common.sh"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT

"$top/build/app/spacelens" --nogui "$tree" >/dev/null  # warm the cache
best=""
for _ in $(seq "$runs"); do
  start=$(date +%s.%N)
  "$top/build/app/spacelens" --nogui --export /dev/null "$tree"
  t=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN{printf "%.2f", e - s}')
  if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
done
echo "headless scan: $best s (best of $runs)"
for _ in $(seq "$runs"); do
  XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_window" "$tree"
done
echo "targets: window at most 1.5 x the headless time, no stall over 50 ms"
