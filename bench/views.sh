#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each view of the right pane on the benchmark trees (see common.sh; the 1m
# tree by default), offscreen, warm cache, after the scan: the pie and bars,
# the treemap, the details list, the files view and the types view, each
# step with the time it takes to show, the longest stall of the window
# meanwhile and the memory (bench_window's modes).
#   bench/views.sh            (SHAPES="1m" by default)
set -euo pipefail
SHAPES="${SHAPES:-1m}"
source "$(dirname "$0")/common.sh"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
# Settings and remembered scans go here, never to whoever runs this.
export XDG_CONFIG_HOME="$settings" XDG_CACHE_HOME="$settings/cache"
window="$top/build/bench/bench_window"

for tree in $(bench_trees); do
  echo "## $tree"
  "$top/build/app/spacelens" --nogui "$tree" >/dev/null  # warm the cache
  headless=$( { /usr/bin/time -f '%M' "$top/build/app/spacelens" --nogui --quiet --no-history "$tree" >/dev/null; } 2>&1 | tail -n 1)
  echo "headless scan: peak memory $((headless / 1024)) MB"
  for view in --list --chart --treemap --files --types; do
    echo "### ${view#--}"
    QT_QPA_PLATFORM=offscreen "$window" "$view" "$tree" 2>/dev/null
  done
done
echo "targets: no stall over 50 ms in any step; the window's peak with the treemap shown at most"
echo "1.3 x the headless peak plus 15 MB"
