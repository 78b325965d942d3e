#!/usr/bin/env bash
# Installs what is missing (the packages of the game and of its tests, fuzzing
# and packaging), builds everything and runs every test. Each fuzz
# target runs briefly first (any finding fails the run). The Release build
# (build/) runs every test: unit tests, GL tests that read pixels back,
# end-to-end tests of the real binary (a sample of the table of bad inputs
# among them), install tests, one short pass of each benchmark and the memory
# report of twenty levels. The sanitizer build (build-sanitize/: the same
# sources with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer)
# runs the unit tests, the GL tests, the levels played in-process and the
# twenty-level soak, and, with the game built with them, one end-to-end play
# and the CI rows of the bad inputs; any report fails them. Without a display
# it starts Xvfb itself (Mesa's llvmpipe gives a real OpenGL 4.5 core
# context). Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"

# Five seconds a fuzz target: enough to keep them building and their seeds
# clean. A finding fails the run, after the other tests have had their say.
fuzz_status=0
"$root/scripts/fuzz.sh" --seconds 5 || fuzz_status=$?

# With the tests, also when scripts/play.sh configured build/ without them.
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DSANDLARK_BUILD_TESTS=ON
cmake --build "$root/build" --parallel "$jobs"
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DSANDLARK_SANITIZE=ON
cmake --build "$root/build-sanitize" --parallel "$jobs" \
  --target sandlark_unit_tests sandlark_gl_tests sandlark_soak_tests \
  sandlark sandlark_e2e_tests sandlark_badinput_tests

# Anything that wants a display and makes none of its own gets a shared one.
# -noreset: Xvfb otherwise resets whenever its last client leaves.
display=()
if [ -z "${DISPLAY:-}" ]; then
  display=(xvfb-run -a -s "-screen 0 1280x720x24 -noreset")
fi
# In parallel, one test per core: every test has its own scratch folder, and
# every GL and end-to-end test process starts an Xvfb of its own. Both builds
# are tested even when the first fails, so one run shows every failure.
status=0
for build in build build-sanitize; do
  echo "== Tests of $build"
  "${display[@]}" ctest --test-dir "$root/$build" --output-on-failure --timeout 900 -j "$jobs" "$@" || status=1
done
if [ "$fuzz_status" -ne 0 ]; then
  echo "A fuzz target found something: see the summary above and build-fuzz/findings/." >&2
  status=1
fi
exit "$status"
