#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Headless scan speed and memory of Spacelens beside the reference floor
# walker and its peers, on each benchmark tree (see common.sh), warm cache.
#   bench/scan.sh            (RUNS=5 by default; the best time of the runs)
#   COLD=1 bench/scan.sh     caches dropped before every run (as root), the
#                            floor walker with 8 threads (RUNS=1 by default)
# Memory per folder is the peak above that of a scan of an empty folder.
set -euo pipefail
cold="${COLD:-}"
runs="${RUNS:-$([ -n "$cold" ] && echo 1 || echo 5)}"
if [ -n "$cold" ] && [ "$(id -u)" -ne 0 ]; then
  echo "COLD=1 drops the caches, which needs root" >&2
  exit 2
fi

need=()
for tool in time ncdu gdu; do
  dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q 'install ok installed' || need+=("$tool")
done
if [ ${#need[@]} -gt 0 ] && [ "$(id -u)" -eq 0 ]; then
  apt-get install -y -qq "${need[@]}" >/dev/null 2>&1 || true
fi

source "$(dirname "$0")/common.sh"
work="$(mktemp -d)"
# Scans remember themselves here, never in the cache of whoever runs this.
export XDG_CACHE_HOME="$work/cache"
trap 'rm -rf "$work"' EXIT
cc -O2 -pthread -o "$work/floor" "$shared/bench/floor.c"
mkdir "$work/empty"
threads=$([ -n "$cold" ] && echo 8 || echo 2)

/usr/bin/time -o "$work/time" -f '%M' "$top/build/app/spacelens" --nogui --export - "$work/empty" >/dev/null
base=$(tail -n 1 "$work/time")
ours="spacelens --nogui --no-history --export -"
remembered="the same, remembering the scan"
plain="spacelens --nogui (every option at its default)"
compared="spacelens --nogui --compare last"
floor="floor, $threads threads"
ncdu="ncdu -0 -o /dev/null"
for tree in $(bench_trees); do
  folders=$("$work/floor" "$tree" 2 | awk '{print $2}')
  seconds=(); megabytes=(); order=()
  measure "$ours" "$top/build/app/spacelens" --nogui --no-history --export - "$tree"
  measure "$remembered" "$top/build/app/spacelens" --nogui --export - "$tree"
  measure "$plain" "$top/build/app/spacelens" --nogui "$tree"
  measure "$compared" "$top/build/app/spacelens" --nogui --compare last "$tree"
  measure "$floor" "$work/floor" "$tree" "$threads"
  measure "du -s" du -s "$tree"
  measure "$ncdu" ncdu -0 -o /dev/null "$tree"
  measure "gdu -np" gdu -np "$tree"

  echo
  echo "## $tree ($folders folders, $([ -n "$cold" ] && echo cold || echo warm) cache)"
  printf '| program | wall time (s) | peak memory (MB) |\n|---|---|---|\n'
  for name in "${order[@]}"; do
    printf '| %s | %s | %s |\n' "$name" "${seconds[$name]}" "${megabytes[$name]}"
  done
  awk -v s="${seconds[$ours]}" -v f="${seconds[$floor]}" -v n="${seconds[$ncdu]:-0}" -v m="${megabytes[$ours]}" \
      -v rs="${seconds[$remembered]}" -v rm="${megabytes[$remembered]}" -v ps="${seconds[$plain]}" \
      -v cs="${seconds[$compared]}" -v cm="${megabytes[$compared]}" \
      -v b="$base" -v d="$folders" -v c="$cold" 'BEGIN {
    printf "time / floor: %.2f (target at most %s); every option at its default: %.2f (target at most 1.1)\n",
      s / f, c ? "1.0" : "1.3", ps / f
    if (n > 0) printf "time / ncdu:  %.2f\n", s / n
    printf "peak memory:  %.1f MB, %.0f bytes per folder above the %.1f MB of an empty scan (target at most 100)\n",
      m, (m * 1024 - b) * 1024 / d, b / 1024
    printf "remembering:  %+.1f %% time, %+.1f %% peak memory (targets at most 5 %% and 10 %%)\n",
      (rs / s - 1) * 100, (rm / m - 1) * 100
    printf "comparing with the last: %.2f x the memory, %.2f x the time of the scan alone (targets 1.5, 1.5)\n",
      cm / m, cs / s
  }'
done
