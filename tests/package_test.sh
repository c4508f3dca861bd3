#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# package.sh makes, from the build, a Debian package holding every piece of a
# desktop program, each valid and naming the others as they are installed.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$1
build=$2
id=io.github.zelkon.spacelens

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" >&2; exit 1; }

"$source/package.sh" --build "$build" --output "$work/out" >/dev/null
debs=("$work"/out/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "package.sh made no package"
deb=${debs[0]}
[ "$(basename "$deb")" = "spacelens_$(dpkg-deb -f "$deb" Version)_$(dpkg --print-architecture).deb" ] ||
  fail "$(basename "$deb") is not named after its version and architecture"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6core6 (>= ' <<<"$depends" || fail "Depends lacks the libraries: $depends"

root=$work/root
dpkg-deb -x "$deb" "$root"
[ -x "$root/usr/bin/spacelens" ] || fail "no usr/bin/spacelens"
[ -f "$root/usr/share/man/man1/spacelens.1.gz" ] || fail "no man page"
for manual in manual.html manual.de.html manual.fr.html; do
  [ -f "$root/usr/share/doc/spacelens/$manual" ] || fail "no $manual"
done
# The installed program finds the manual under its prefix.
grep -qx "The manual: $root/usr/share/doc/spacelens/manual.html" <<<"$("$root/usr/bin/spacelens" --help)" ||
  fail "the installed program does not find its manual"

desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$metainfo" >"$work/appstream" || fail "appstreamcli rejects the metainfo: $(cat "$work/appstream")"
grep -qx "Exec=spacelens %F" "$desktop" || fail "the desktop entry does not start spacelens"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo launches another entry"
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo" || fail "the metainfo's release is not the version"

icons=$root/usr/share/icons/hicolor
[ -f "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  picture=$icons/${size}x${size}/apps/$id.png
  [ -f "$picture" ] || fail "no ${size}x${size} icon"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$picture")
  [ "$width $height" = "$size $size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done

# The scan as the administrator: the polkit action, for the installed program.
policy=$root/usr/share/polkit-1/actions/$id.policy
[ -f "$policy" ] || fail "no polkit action"
grep -q '<annotate key="org.freedesktop.policykit.exec.path">/usr/bin/spacelens</annotate>' "$policy" ||
  fail "the polkit action is not for /usr/bin/spacelens"
grep -q '<allow_active>auth_admin_keep</allow_active>' "$policy" || fail "the polkit action does not keep the password"

# A package Debian's own checker finds nothing wrong with: a real maintainer,
# a changelog of this version, a copyright notice.
[ "$(dpkg-deb -f "$deb" Maintainer)" = "Zelkon <zelkon@users.noreply.github.com>" ] ||
  fail "the maintainer is $(dpkg-deb -f "$deb" Maintainer)"
zcat "$root/usr/share/doc/spacelens/changelog.gz" | head -n 1 | grep -qx "spacelens ($(dpkg-deb -f "$deb" Version)) unstable; urgency=medium" ||
  fail "the changelog does not begin with this version"
command -v lintian >/dev/null || fail "lintian is missing: install the Debian package lintian"
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>/dev/null || true
! grep -E '^[EW]: ' "$work/lintian" || fail "lintian finds fault with the package"
