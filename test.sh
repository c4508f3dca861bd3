#!/usr/bin/env bash
# Sets up and builds Spacelens, then runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
ctest --test-dir build --output-on-failure -j2
