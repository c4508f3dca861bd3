#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A tree no test disk holds: an export of 100,000,000 files in 6,000,000
# folders made as it is read (bench_huge), imported headless from a pipe
# and then by the window from a file, with the peak memory of each above
# that of an empty import.
#   bench/huge.sh                 FILES=... FOLDERS=... for another size
set -euo pipefail
files="${FILES:-100000000}"
folders="${FOLDERS:-6000000}"
source "$(dirname "$0")/common.sh"
work="$(mktemp -d)"
export XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config"
trap 'rm -rf "$work"' EXIT
huge="$top/build/bench/bench_huge"
spacelens="$top/build/app/spacelens"

peak() { awk '{print $NF}' "$work/time" | tail -n 1; }
echo '[1,2,{},[{"name":"/empty"}]]' >"$work/empty.json"
/usr/bin/time -o "$work/time" -f '%e %M' "$spacelens" --nogui --import "$work/empty.json" >/dev/null
empty=$(peak)
"$huge" "$files" "$folders" | /usr/bin/time -o "$work/time" -f '%e %M' "$spacelens" --nogui --import - >"$work/out"
read -r seconds headless <"$work/time"
echo "## $files files in $folders folders, from a pipe"
echo "headless import: $seconds s, peak $((headless / 1024)) MB"
awk -v p="$headless" -v e="$empty" -v f="$files" -v d="$folders" 'BEGIN {
  above = (p - e) * 1024
  printf "  %.1f bytes a folder if files took nothing; against the target of 100 a folder + 2 a file: %.2f x\n",
    above / d, above / (100 * d + 2 * f)
}'
"$huge" "$files" "$folders" >"$work/huge.json"
QT_QPA_PLATFORM=offscreen /usr/bin/time -o "$work/time" -f '%e %M' "$top/build/bench/bench_window" \
  "$work/huge.json" >"$work/window" 2>&1 || true
read -r seconds window <"$work/time"
echo "window import: $seconds s, peak $((window / 1024)) MB"
awk -v p="$window" -v e="$empty" -v f="$files" 'BEGIN {
  printf "  %.1f bytes a file above an empty import (target at most 48)\n", (p - e) * 1024 / f
}'
