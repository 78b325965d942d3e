#!/usr/bin/env bash
# Runs the whole table of bad inputs (tests/badinput/table.txt), not only the
# rows CI samples: every damaged game directory through the real binary, in
# parallel, each on an X display of its own. Builds first (scripts/test.sh's
# build, in build/). Extra arguments go to ctest, e.g. -R font to run some rows.
# With --sanitize first, the binary of the sanitizer build (build-sanitize/)
# runs the table, and any sanitizer report fails its row.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
configuration=(-DCMAKE_BUILD_TYPE=Release -DSANDLARK_BUILD_TESTS=ON)
if [ "${1:-}" = --sanitize ]; then
  shift
  build="$root/build-sanitize"
  configuration=(-DCMAKE_BUILD_TYPE=Debug -DSANDLARK_SANITIZE=ON -DSANDLARK_BUILD_TESTS=ON)
fi
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" "${configuration[@]}"
cmake --build "$build" --parallel "$(nproc)" --target sandlark_badinput_tests
cd "$build"
SANDLARK_BADINPUT_ALL=1 exec ctest -L badinput --output-on-failure --timeout 600 -j "$(nproc)" "$@"
