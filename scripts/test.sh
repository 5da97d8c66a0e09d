#!/usr/bin/env bash
# Installs what is missing, builds the trainer and runs every test headless; then builds it
# again with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize and runs the
# tests there, halting on the first report (leaks included).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/install-deps.sh" "$top/scripts/packages-test.txt"
"$top/scripts/build.sh" -DBUILD_TESTING=ON -DSIGHT_DEVELOPER_TOOLS=ON
# Two at a time: each whole-program test has a display of its own and mostly waits, at a
# person's pace, for what the windows do.
ctest --test-dir "$top/build" --output-on-failure --timeout 900 --parallel 2

cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSIGHT_SANITIZE=ON \
  >/dev/null
cmake --build "$top/build-sanitize" --parallel "$(nproc)"
# The whole-program tests under Xvfb, the installed Debian package (a package of a sanitizer
# build is no product, and the X platform's own libraries leak at exit under it) and the check
# of the artwork generator exercise no code of the trainer that the window tests do not.
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir "$top/build-sanitize" --output-on-failure --timeout 900 \
  --exclude-regex '^(e2e_|artwork_matches_generator$|installed_package$)'
