#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Work bounded by size, not depth: scans (remembered or not, and compared
# with the last) and imports of chains of folders 10,000 and 30,000 levels
# deep (one with 3,000 files of two names far apart), and of a 10,000-level
# comb, beside the floor walker and ncdu, warm cache (RUNS=3 by default;
# the best time of the runs).
#   bench/deep.sh
set -euo pipefail
runs="${RUNS:-3}"
cold=""
SHAPES="${SHAPES:-deep10k deep30k deeplinks comb}"
source "$(dirname "$0")/common.sh"
work="$(mktemp -d)"
# Scans remember themselves here, never in the cache of whoever runs this.
export XDG_CACHE_HOME="$work/cache"
trap 'rm -rf "$work"' EXIT
cc -O2 -pthread -o "$work/floor" "$shared/bench/floor.c"
spacelens="$top/build/app/spacelens"

for tree in $(bench_trees); do
  seconds=(); megabytes=(); order=()
  "$spacelens" --nogui --export-ncdu "$work/ours.json" "$tree" >/dev/null
  measure "floor, 2 threads" "$work/floor" "$tree" 2
  measure "spacelens scan, no history" "$spacelens" --nogui --no-history "$tree"
  measure "spacelens scan" "$spacelens" --nogui "$tree"
  measure "spacelens --compare last" "$spacelens" --nogui --compare last "$tree"
  measure "ncdu scan" ncdu -0 -o /dev/null "$tree"
  measure "spacelens import" "$spacelens" --nogui --import "$work/ours.json"
  measure "ncdu import" ncdu -0 -f "$work/ours.json" -o /dev/null

  echo
  echo "## $tree"
  printf '| run | wall time (s) | peak memory (MB) |\n|---|---|---|\n'
  for name in "${order[@]}"; do
    printf '| %s | %s | %s |\n' "$name" "${seconds[$name]}" "${megabytes[$name]}"
  done
  awk -v s="${seconds[spacelens scan]}" -v f="${seconds[floor, 2 threads]}" \
      -v n="${seconds[spacelens scan, no history]}" -v nm="${megabytes[spacelens scan, no history]}" \
      -v m="${megabytes[spacelens scan]}" 'BEGIN {
    printf "scan / floor: %.2f (target at most 1.3)\n", s / (f > 0 ? f : 0.01)
    printf "remembering: %+.1f %% time, %+.1f %% peak memory\n", (s / (n > 0 ? n : 0.01) - 1) * 100, (m / nm - 1) * 100
  }'
done
