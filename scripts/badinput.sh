#!/usr/bin/env bash
# Runs the whole table of bad inputs (tests/badinput/table.txt), not only the
# rows CI samples: every damaged game directory through the real binary, in
# parallel, each on an X display of its own. Builds first (scripts/test.sh's
# build, in build/). Extra arguments go to ctest, e.g. -R font to run some rows.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DSANDLARK_BUILD_TESTS=ON
cmake --build "$root/build" --parallel "$(nproc)" --target sandlark_badinput_tests
cd "$root/build"
SANDLARK_BADINPUT_ALL=1 exec ctest -L badinput --output-on-failure --timeout 600 -j "$(nproc)" "$@"
