#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the translations up to date with the program's texts: new texts are
# added unfinished, texts no longer used are dropped. Translate the new ones
# (Qt Linguist, or any editor), then build.
#   translations/update.sh [FILE.ts...]    default: every translation here
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
[ $# -gt 0 ] || set -- translations/spacelens_*.ts
# The command-line program and the tests speak English only.
"$lupdate" -silent -locations none -no-obsolete -extensions cpp,h -I . \
  app charts duplicates files fs history print remote scan shell treemap types view widgets -ts "$@"
