#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# After a scan in the window (offscreen): opening the widest first-level
# folder, Full Expand, then every view type and sort mode in turn, on the
# folder-heavy tree and on a folder of 100,000 folders (SHAPES picks others):
# how long each takes to finish and the longest stall of the window meanwhile.
#   bench/expand.sh
set -euo pipefail
SHAPES="${SHAPES:-folders wide}"
source "$(dirname "$0")/common.sh"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
# Scans the window remembers go here, never to the cache of whoever runs this.
export XDG_CACHE_HOME="$settings/cache"
for tree in $(bench_trees); do
  echo "## $tree"
  XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_window" --expand "$tree" 2>/dev/null
done
echo "target: no stall over 50 ms"
