#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The details list showing a folder of 100,000 files, offscreen, warm cache:
# time from selecting the folder until its file rows show, and the longest
# stall of the window's event loop meanwhile.
#   bench/list.sh            (RUNS=3 by default)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(dirname "$here")"
folder="${SPACELENS_BENCH_FILES:-/tmp/spacelens-bench-100k-files}"
runs="${RUNS:-3}"
if [ ! -d "$folder" ]; then
  echo "Making 100,000 files in $folder ..." >&2
  python3 - "$folder" <<'PY'
import os, sys
dest = sys.argv[1]
os.makedirs(os.path.join(dest, "sub"), exist_ok=True)
for i in range(100000):
    with open(os.path.join(dest, "file_%06d.dat" % i), "wb") as f:
        f.truncate(i * 37 % 100000)
PY
fi
"$top/build.sh" >/dev/null
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
# Scans the window remembers go here, never to the cache of whoever runs this.
export XDG_CACHE_HOME="$settings/cache"
for _ in $(seq "$runs"); do
  XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_window" --list "$folder" 2>/dev/null
done
echo "the window stays responsive: the stall is the longest time it could not react"
