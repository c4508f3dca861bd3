#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What true disk usage and exchanged scans cost, warm cache (RUNS=3 by
# default; the best time and the largest peak memory of the runs):
#  - the 1m tree (no file with several names) and a tree of 100,000 names of
#    50,000 files, each counted once and each name counted;
#  - writing ncdu's export format beside ncdu itself writing it;
#  - reading ncdu's export of the 1m tree beside scanning the tree.
set -euo pipefail
runs="${RUNS:-3}"
cold=""
source "$(dirname "$0")/common.sh"
work="$(mktemp -d)"
# Scans remember themselves here, never in the cache of whoever runs this.
export XDG_CACHE_HOME="$work/cache"
trap 'rm -rf "$work"' EXIT
spacelens="$top/build/app/spacelens"
tree=$(bench_tree 1m)

links=/tmp/spacelens-bench-links
if [ ! -d "$links" ]; then
  echo "Building $links ..." >&2
  python3 - "$links.part" <<'PY'
import os, sys
top = sys.argv[1]
for a in range(100):
    os.makedirs(f"{top}/one/{a}"); os.makedirs(f"{top}/two/{a}")
for n in range(50000):
    first = f"{top}/one/{n % 100}/f{n}"
    with open(first, "wb") as f:
        f.write(b"x" * (n % 5000))
    os.link(first, f"{top}/two/{(n * 7) % 100}/g{n}")
PY
  mv "$links.part" "$links"
fi

measure "scan 1m, names once" "$spacelens" --nogui --export - "$tree"
measure "scan 1m, each name" "$spacelens" --nogui --hard-links each --export - "$tree"
measure "scan links, names once" "$spacelens" --nogui --export - "$links"
measure "scan links, each name" "$spacelens" --nogui --hard-links each --export - "$links"
measure "export-ncdu 1m" "$spacelens" --nogui --export-ncdu "$work/ours.json" "$tree"
measure "ncdu -o 1m" ncdu -0 -o "$work/ncdu.json" "$tree"
measure "import ncdu's 1m" "$spacelens" --nogui --import "$work/ncdu.json" --export -
measure "import ours 1m" "$spacelens" --nogui --import "$work/ours.json" --export -

echo
printf '| run | wall time (s) | peak memory (MB) |\n|---|---|---|\n'
for name in "${order[@]}"; do
  printf '| %s | %s | %s |\n' "$name" "${seconds[$name]}" "${megabytes[$name]}"
done
echo "export sizes: ours $(du -h --apparent-size "$work/ours.json" | cut -f1), ncdu's $(du -h --apparent-size "$work/ncdu.json" | cut -f1)"
"$spacelens" --nogui "$links"
"$spacelens" --nogui --hard-links each "$links"
