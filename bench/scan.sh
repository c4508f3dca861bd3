#!/usr/bin/env bash
# Headless scan speed and memory of Spacelens beside the reference floor
# walker and its peers, on the 1M-file benchmark tree, warm cache.
#   bench/scan.sh            (RUNS=5 by default; the best time of the runs)
# SPACELENS_BENCH_TREE picks the tree's folder (built when missing).
set -euo pipefail
runs="${RUNS:-5}"

need=()
for tool in time ncdu gdu; do
  dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q 'install ok installed' || need+=("$tool")
done
if [ ${#need[@]} -gt 0 ] && [ "$(id -u)" -eq 0 ]; then
  apt-get install -y -qq "${need[@]}" >/dev/null 2>&1 || true
fi

source "$(dirname "$0")/common.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cc -O2 -pthread -o "$work/floor" "$shared/bench/floor.c"

# measure NAME COMMAND...: one warming run, then the best wall time and the
# largest peak memory of $runs runs.
declare -A seconds megabytes
order=()
measure() {
  local name="$1"; shift
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "($name: $1 is not installed)" >&2
    return
  fi
  "$@" >/dev/null 2>&1 || true
  local best="" peak=0 line t m
  for _ in $(seq "$runs"); do
    /usr/bin/time -o "$work/time" -f '%e %M' "$@" >/dev/null 2>&1 || true
    line=$(tail -n 1 "$work/time")
    t=${line% *}; m=${line#* }
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    [ "$m" -gt "$peak" ] && peak=$m
  done
  seconds[$name]=$best
  megabytes[$name]=$(awk "BEGIN{printf \"%.1f\", $peak/1024}")
  order+=("$name")
}

measure "spacelens --nogui --export /dev/null" "$top/build/app/spacelens" --nogui --export /dev/null "$tree"
measure "floor, 2 threads" "$work/floor" "$tree" 2
measure "du -s" du -s "$tree"
measure "ncdu -0 -o /dev/null" ncdu -0 -o /dev/null "$tree"
measure "gdu -np" gdu -np "$tree"

printf '| program | wall time (s) | peak memory (MB) |\n|---|---|---|\n'
for name in "${order[@]}"; do
  printf '| %s | %s | %s |\n' "$name" "${seconds[$name]}" "${megabytes[$name]}"
done

ours="spacelens --nogui --export /dev/null"
floor="floor, 2 threads"
ncdu="ncdu -0 -o /dev/null"
echo
awk -v s="${seconds[$ours]}" -v f="${seconds[$floor]}" -v n="${seconds[$ncdu]:-0}" -v m="${megabytes[$ours]}" 'BEGIN {
  printf "time / floor: %.2f (target at most 1.3)\n", s / f
  if (n > 0) printf "time / ncdu:  %.2f (target at most 0.6)\n", s / n
  printf "peak memory:  %.1f MB (target at most 40)\n", m
}'
