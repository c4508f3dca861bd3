#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Moving 1,000 files to the Trash from the details list, offscreen: every row
# of a folder of 1,000 files selected and deleted with the Delete key. A
# Trash of its own in a temporary home; the folder is made anew each run.
#   bench/delete.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
folder="$home/thousand"
mkdir -p "$folder"
for i in $(seq 1 1000); do head -c $((i * 37 % 9000 + 1)) /dev/zero > "$folder/file_$i.dat"; done
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
  "$top/build/bench/bench_window" --delete "$folder" 2>/dev/null
echo "target: no stall over 50 ms"
