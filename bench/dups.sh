#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The search for copies on a tree of real data (bench/mkdups.py, built in
# /tmp/spacelens-bench-dups when missing), warm: its time and rate against
# cat reading the same files, and the bytes it read.
set -euo pipefail
. "$(dirname "$0")/common.sh"
dir=/tmp/spacelens-bench-dups
if [ ! -d "$dir" ]; then
  python3 "$here/mkdups.py" "$dir.part" >&2
  mv "$dir.part" "$dir"
fi
# Warm: everything read once.
find "$dir" -type f -print0 | xargs -0 cat >/dev/null
list=$(mktemp)
"$top/build/bench/bench_duplicates" "$dir" | tee "$list"
# cat on every file of 1 MB or more, the candidates of the search.
start=$(date +%s%N)
find "$dir" -type f -size +1023k -print0 | xargs -0 cat >/dev/null
end=$(date +%s%N)
bytes=$(find "$dir" -type f -size +1023k -printf '%s\n' | awk '{s+=$1} END {print s}')
awk -v b="$bytes" -v ns=$((end - start)) 'BEGIN {printf "cat of the candidates: %.0f MB in %.2f s, %.0f MB/s\n", b/1048576, ns/1e9, b/1048576/(ns/1e9)}'
rm -f "$list"
