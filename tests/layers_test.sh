#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's layers, lowest first: a folder includes its own headers and
# those of the lines above its own, never a folder of its own line or below.
# Every include of the program's headers names its folder.
#   layers_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
Layers=(
  "fs"
  "scan"
  "shell"
  "view"
  "widgets"
  "charts treemap print files types duplicates history remote"
  "app"
  "tests bench"
)
declare -A Rank
for Index in "${!Layers[@]}"; do
  for Folder in ${Layers[$Index]}; do
    Rank[$Folder]=$Index
  done
done
Faults=0
for Folder in "${!Rank[@]}"; do
  while IFS=: read -r File Line Target; do
    Used=${Target%%/*}
    if [[ $Target != */* ]]; then
      echo "$File:$Line: \"$Target\" does not name its folder"
    elif [[ -z ${Rank[$Used]+set} ]]; then
      echo "$File:$Line: \"$Target\" is in no layer"
    elif [[ $Used != "$Folder" && ${Rank[$Used]} -ge ${Rank[$Folder]} ]]; then
      echo "$File:$Line: $Folder may not include $Used"
    else
      continue
    fi
    Faults=$((Faults + 1))
  done < <(grep -rnoE '^#include "[^"]+\.h"' --include='*.cpp' --include='*.h' "$Folder" |
    sed -E 's/#include "([^"]+)"/\1/')
done
for Folder in */; do
  Folder=${Folder%/}
  if [[ -z ${Rank[$Folder]+set} ]] && compgen -G "$Folder/*.cpp" >/dev/null; then
    echo "$Folder holds code but is in no layer"
    Faults=$((Faults + 1))
  fi
done
exit $((Faults > 0))
