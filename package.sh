#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a Debian package of Spacelens from its build:
#   ./package.sh [--build DIR] [--output DIR]
# Without --build, ./build.sh first sets up and brings build/ up to date;
# with it, DIR is packaged as it is. spacelens_VERSION_ARCH.deb is written
# into the --output folder, by default the current one. Install it with
#   sudo apt install ./spacelens_VERSION_ARCH.deb
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

build=
output=.
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=${2:?--build needs a folder}; shift 2 ;;
    --build=*) build=${1#*=}; shift ;;
    --output | -o) output=${2:?$1 needs a folder}; shift 2 ;;
    --output=*) output=${1#*=}; shift ;;
    -h | --help) sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "package.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
if [ -z "$build" ]; then
  "$here/build.sh" >&2
  build=$here/build
fi
for tool in dpkg-shlibdeps dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing: install the Debian package dpkg-dev" >&2; exit 1; }
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
if [ -z "$version" ] || [ ! -x "$build/app/spacelens" ]; then
  echo "package.sh: $build holds no built Spacelens; run ./build.sh first" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)
mkdir -p "$output"
package="$(cd "$output" && pwd)/spacelens_${version}_${arch}.deb"

# The files are laid out as a Debian source tree would have them, in
# debian/spacelens.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/source/debian"
root=$stage/source/debian/spacelens
mkdir -m 755 "$root" "$root/DEBIAN"
DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
# Debian's ways: man pages compressed, the licence told in a copyright file.
find "$root/usr/share/man" -type f -name '*.[0-9]' -exec gzip -9n {} +
cat >"$root/usr/share/doc/spacelens/copyright" <<'TEXT'
Spacelens, a disk-space analyser for the desktop.

Copyright 2026 Zelkon
License: GPL-3.0-or-later

Spacelens is free software: you can redistribute it and/or modify it under
the terms of the GNU General Public License as published by the Free Software
Foundation, either version 3 of the License, or (at your option) any later
version.

On Debian systems, the complete text of the GNU General Public License
version 3 can be found in /usr/share/common-licenses/GPL-3.
TEXT
chmod 644 "$root/usr/share/doc/spacelens/copyright"

# The Debian changelog of a native package: this version's entries of
# CHANGELOG.md, signed with the date of the last commit (so that the same
# sources make the same package), or of CHANGELOG.md itself outside git.
maintainer="Zelkon <zelkon@users.noreply.github.com>"
when=$(git -C "$here" log -1 --format=%aD 2>/dev/null || date -R -r "$here/CHANGELOG.md")
{
  echo "spacelens ($version) unstable; urgency=medium"
  echo
  awk -v version="$version" '
    /^## / { inside = index($0, "## " version " ") == 1 || $0 == "## " version; next }
    inside && /^- / { print "  * " substr($0, 3); next }
    inside && /^  [^ ]/ { print "    " substr($0, 3) }' "$here/CHANGELOG.md"
  echo
  echo " -- $maintainer  $when"
} | gzip -9n >"$root/usr/share/doc/spacelens/changelog.gz"
chmod 644 "$root/usr/share/doc/spacelens/changelog.gz"

# The libraries the program is linked to, with the versions it needs, as
# Debian's own packages reckon them. dpkg-shlibdeps reads the source tree's
# debian/control and knows the package's files by their DEBIAN folder.
printf 'Source: spacelens\n\nPackage: spacelens\nArchitecture: any\n' >"$stage/source/debian/control"
libraries=$(cd "$stage/source" && dpkg-shlibdeps -O -e"$root/usr/bin/spacelens" | sed -n 's/^shlibs:Depends=//p')
if [ -z "$libraries" ]; then
  echo "package.sh: dpkg-shlibdeps found no library the program needs" >&2
  exit 1
fi

cat >"$root/DEBIAN/control" <<TEXT
Package: spacelens
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk "$root/usr" | cut -f1)
Depends: $libraries, libqt6svg6, xdg-utils, fonts-liberation2
Recommends: adwaita-icon-theme, libglib2.0-bin, pkexec, qt6-translations-l10n
Section: utils
Priority: optional
Description: disk-space analyser for the desktop
 Spacelens walks drives and folders on several threads at once and shows,
 for every folder, its size, the space allocated for it on disk, its share
 of its parent and the slack wasted in the last allocation unit of its files.
 .
 Its window shows the folder tree as it grows during the scan, a sortable
 details list, pie and bar charts, and prints reports; files and folders can
 be opened, renamed and moved to the Trash from it. Without a window it
 exports the sizes of all folders as CSV, in ncdu's JSON format or as a PDF
 report.
TEXT
dpkg-deb --root-owner-group --build "$root" "$package" >/dev/null
echo "$package"
