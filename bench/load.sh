#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A scan while the machine is busy: the headless scan of each benchmark
# tree alone and beside two CPU-bound programs, and the window's scan beside
# them with its longest event-loop stall, warm cache.
#   bench/load.sh              (RUNS=3 by default)
set -euo pipefail
runs="${RUNS:-3}"
source "$(dirname "$0")/common.sh"
settings="$(mktemp -d)"
busy=()
stop_busy() { [ ${#busy[@]} -gt 0 ] && kill "${busy[@]}" 2>/dev/null; busy=(); }
trap 'stop_busy; rm -rf "$settings"' EXIT
# Scans the window remembers go here, never to the cache of whoever runs this.
export XDG_CACHE_HOME="$settings/cache"

best_of() {  # the best wall time of RUNS runs of the command
  local best=""
  for _ in $(seq "$runs"); do
    /usr/bin/time -o "$settings/time" -f '%e' "$@" >/dev/null
    local t; t=$(tail -n 1 "$settings/time")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}

for tree in $(bench_trees); do
  echo "## $tree"
  "$top/build/app/spacelens" --nogui "$tree" >/dev/null  # warm the cache
  alone=$(best_of "$top/build/app/spacelens" --nogui --quiet "$tree")
  for _ in 1 2; do sh -c 'while :; do :; done' & busy+=($!); done
  loaded=$(best_of "$top/build/app/spacelens" --nogui --quiet "$tree")
  echo "headless scan: $alone s alone, $loaded s beside two busy programs"
  for _ in $(seq "$runs"); do
    XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_window" "$tree" 2>/dev/null | tail -n 1
  done
  stop_busy
done
echo "targets: beside two busy programs, the headless scan at most 2 x its time alone; no stall over 50 ms"
