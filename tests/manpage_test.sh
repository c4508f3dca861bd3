#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The man page names every option --help shows, the version --version
# tells and the folder table's columns an export writes, and groff reads
# it without a warning.
#   manpage_test.sh SPACELENS PAGE
set -euo pipefail
program=$1
page=$2

options=$("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "--help shows no option" >&2; exit 1; }
# In roff an option's hyphens are written \-.
text=$(sed 's/\\-/-/g' "$page")
status=0
for option in $options; do
  if ! grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$text"; then
    echo "$page does not name $option" >&2
    status=1
  fi
done
# The title line's source field is "Spacelens VERSION".
version=$("$program" --version)
if ! head -n 5 "$page" | grep -q "^\.TH .*\"$version\""; then
  echo "$page does not give the version of --version ($version)" >&2
  status=1
fi
# The columns, as an export of an empty folder writes them.
empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
columns=$("$program" --nogui --no-history --export - "$empty" | head -n 1)
shown=$(sed -n '/^path,clusters,/,/^\.EE/p' "$page" | grep -v '^\.EE' | tr -d '\n')
if [ "$shown" != "$columns" ]; then
  echo "$page shows the columns $shown; an export writes $columns" >&2
  status=1
fi
if ! warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$page" 2>&1) || [ -n "$warnings" ]; then
  echo "groff: ${warnings:-failed}" >&2
  status=1
fi
exit $status
