#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# After a scan in the window (offscreen): the pie and the bars of a folder of
# 100,000 folders, in every view type and sort mode, and paging through its
# bars: how long each takes to finish and the longest stall of the window.
#   bench/chart.sh
set -euo pipefail
SHAPES="${SHAPES:-wide}"
source "$(dirname "$0")/common.sh"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
# Scans the window remembers go here, never to the cache of whoever runs this.
export XDG_CACHE_HOME="$settings/cache"
for tree in $(bench_trees); do
  echo "## $tree"
  XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen "$top/build/bench/bench_window" --chart "$tree" 2>/dev/null
done
echo "target: no stall over 50 ms"
