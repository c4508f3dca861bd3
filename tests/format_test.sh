#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ file of the program is laid out as .clang-format says.
#   format_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
find . \( -path './build*' -o -path './.git' \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror --style=file
