#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and builds Spacelens, then runs every test.
#   SANITIZE=1 ./test.sh    also builds in build-sanitize/ with AddressSanitizer
#                           and UndefinedBehaviorSanitizer and runs the tests
#                           there (SANITIZE_TESTS=REGEX picks which)
#   TSAN=1 ./test.sh        also builds in build-tsan/ with ThreadSanitizer and
#                           runs the tests TSAN_TESTS=REGEX names there
set -euo pipefail
cd "$(dirname "$0")"
./build.sh --tests
ctest --test-dir build --output-on-failure -j2

# The build targets of the tests REGEX names, and the program when one of
# them runs it.
targets_of() {
  targets=(--target $(echo "$1" | tr '|' ' '))
  case "|$1|" in
    *"|tst_headless|"* | *"|tst_remote|"* | *"|tst_duplicates|"* | *"|tst_print|"*) targets+=(spacelens) ;;
  esac
}

if [ "${SANITIZE:-0}" = 1 ]; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPACELENS_SANITIZE=ON >/dev/null
  targets=()
  [ -z "${SANITIZE_TESTS:-}" ] || targets_of "$SANITIZE_TESTS"
  cmake --build build-sanitize -j2 "${targets[@]}"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  ctest --test-dir build-sanitize --output-on-failure -j2 ${SANITIZE_TESTS:+-R "^($SANITIZE_TESTS)\$"}
fi

if [ "${TSAN:-0}" = 1 ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPACELENS_TSAN=ON >/dev/null
  targets_of "${TSAN_TESTS:?TSAN_TESTS names the tests}"
  cmake --build build-tsan -j2 "${targets[@]}"
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$PWD/tests/tsan.supp"
  ctest --test-dir build-tsan --output-on-failure -j2 -R "^($TSAN_TESTS)\$"
fi
