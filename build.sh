#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Spacelens needs from Debian's packages (when run as root),
# then configures and builds it in build/. Used by run.sh and test.sh.
#   build.sh [--tests]    --tests: also what the tests need
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ ninja-build ccache qt6-base-dev adwaita-icon-theme libqt6svg6 xdg-utils libglib2.0-bin
          fonts-liberation2 poppler-utils rapidjson-dev pkg-config libzstd-dev libxxhash-dev libcsv-dev
          # the window's texts in the user's language: ours built from translations/,
          # the toolkit's own (its standard buttons) from Debian
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          # folders of other machines are read over SSH, and folders only
          # the administrator may read through pkexec
          openssh-client pkexec
          # the icon's pictures, the Debian package and the checks of both
          librsvg2-bin desktop-file-utils appstream dpkg-dev groff-base)
# The tests start an SSH server of their own, on a port of their own, run
# the README's examples on a clock of their own, check the layout of the
# code and the Debian package (lintian).
[ "${1:-}" = --tests ] && packages+=(openssh-server faketime clang-format lintian)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing ${missing[*]}" >&2
    apt-get update -qq
    # Services the packages bring (the SSH server) are not started here.
    # The blocker goes however the install ends.
    blocker=
    if [ ! -e /usr/sbin/policy-rc.d ]; then
      blocker=/usr/sbin/policy-rc.d
      trap 'rm -f "$blocker"' EXIT
      printf '#!/bin/sh\nexit 101\n' >"$blocker" && chmod +x "$blocker"
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
    [ -z "$blocker" ] || { rm -f "$blocker"; trap - EXIT; }
  else
    echo "Spacelens needs these Debian packages; install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

# A build type chosen before (cmake -DCMAKE_BUILD_TYPE=Debug build) stays.
if [ -f build/CMakeCache.txt ]; then
  cmake -S . -B build >/dev/null
else
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j2
