#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# No folder of the program includes a header of a folder above it or beside
# it: each layer builds only on those below.
#   layers_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
# The layers, lowest first; folders on one line are beside each other.
layers=(
  "fs"
  "scan"
  "shell"
  "view"
  "charts treemap print files types duplicates history remote"
  "app"
)
declare -A rank home
for level in "${!layers[@]}"; do
  for folder in ${layers[$level]}; do
    rank[$folder]=$level
    for header in "$folder"/*.h; do
      [ -e "$header" ] && home[$(basename "$header")]=$folder
    done
  done
done
status=0
for folder in "${!rank[@]}"; do
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while read -r header; do
      other=${home[$(basename "$header")]:-}
      if [ -n "$other" ] && [ "$other" != "$folder" ] && [ "${rank[$other]}" -ge "${rank[$folder]}" ]; then
        echo "$file includes $other/$(basename "$header"), which is not below $folder" >&2
        status=1
      fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done
exit $status
