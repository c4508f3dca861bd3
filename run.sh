#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and builds Spacelens, then starts it with the given arguments:
#   ./run.sh [FOLDER...]
# Relative folders are taken from where you run it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/build.sh" >&2
exec "$here/build/app/spacelens" "$@"
