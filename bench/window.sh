#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window (offscreen) scanning each benchmark tree (see common.sh) beside
# the headless scan of the same tree, warm cache: time to completion, the
# longest stall of the window's event loop, and peak memory.
#   bench/window.sh            (RUNS=3 by default)
set -euo pipefail
runs="${RUNS:-3}"
source "$(dirname "$0")/common.sh"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
# Scans the window remembers go here, never to the cache of whoever runs this.
export XDG_CACHE_HOME="$settings/cache"

for tree in $(bench_trees); do
  echo "## $tree"
  "$top/build/app/spacelens" --nogui "$tree" >/dev/null  # warm the cache
  best="" peak=0
  for _ in $(seq "$runs"); do
    /usr/bin/time -o "$settings/time" -f '%e %M' "$top/build/app/spacelens" --nogui --export - "$tree" >/dev/null
    line=$(tail -n 1 "$settings/time"); t=${line% *}; m=${line#* }
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    [ "$m" -gt "$peak" ] && peak=$m
  done
  echo "headless scan: $best s (best of $runs), peak memory $((peak / 1024)) MB"
  for _ in $(seq "$runs"); do
    XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen /usr/bin/time -o "$settings/time" -f '%M' \
      "$top/build/bench/bench_window" "$tree" 2>/dev/null
    echo "  peak memory $(( $(tail -n 1 "$settings/time") / 1024 )) MB"
  done
done
echo "targets: window at most 1.2 x the headless time and 1.5 x its memory, no stall over 50 ms"
