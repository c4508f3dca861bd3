#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renaming and deleting from the window, offscreen: a folder of 100,000
# files renamed in the tree and moved to the Trash from it, then every row of
# a folder of 10,000 files selected in the details list and deleted with the
# Delete key. A Trash of its own in a temporary home; the folders are made
# anew each run.
#   bench/delete.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
folder="$home/many"
mkdir -p "$folder/big"
python3 -c 'import sys
for i in range(1, 10001):
    open(f"{sys.argv[1]}/file_{i}.dat", "wb").write(bytes(i * 37 % 9000 + 1))
for i in range(1, 100001):
    open(f"{sys.argv[1]}/big/file_{i}.dat", "wb").close()' "$folder"
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
  "$top/build/bench/bench_window" --delete "$folder" 2>/dev/null
echo "target: no stall over 50 ms"
