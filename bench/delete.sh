#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Moving 10,000 files to the Trash from the details list, offscreen: every row
# of a folder of 10,000 files selected and deleted with the Delete key. A
# Trash of its own in a temporary home; the folder is made anew each run.
#   bench/delete.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
folder="$home/many"
mkdir -p "$folder"
python3 -c 'import sys
for i in range(1, 10001):
    open(f"{sys.argv[1]}/file_{i}.dat", "wb").write(bytes(i * 37 % 9000 + 1))' "$folder"
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
  "$top/build/bench/bench_window" --delete "$folder" 2>/dev/null
echo "target: no stall over 50 ms"
