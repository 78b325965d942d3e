#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: each fuzz
# target briefly (any finding fails the run), unit tests, GL tests that read
# pixels back, end-to-end tests of the real binary (a sample of the table of
# bad inputs among them), and one short pass of each benchmark. Without a
# display it starts Xvfb itself (Mesa's llvmpipe gives a real OpenGL 4.5 core
# context). Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
# Five seconds a fuzz target: enough to keep them building and their seeds
# clean. A finding fails the run, after the other tests have had their say.
fuzz_status=0
"$root/scripts/fuzz.sh" --seconds 5 || fuzz_status=$?
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" --parallel "$(nproc)"
cd "$root/build"
# In parallel, one test per core: every test has its own scratch folder, and
# every GL and end-to-end test process starts an Xvfb of its own.
jobs="$(nproc)"
status=0
if [ -z "${DISPLAY:-}" ]; then
  # Anything else that wants a display gets a shared one. -noreset: Xvfb
  # otherwise resets whenever its last client leaves.
  xvfb-run -a -s "-screen 0 1280x720x24 -noreset" ctest --output-on-failure --timeout 900 -j "$jobs" "$@" || status=$?
else
  ctest --output-on-failure --timeout 900 -j "$jobs" "$@" || status=$?
fi
if [ "$fuzz_status" -ne 0 ]; then
  echo "A fuzz target found something: see the summary above and build-fuzz/findings/." >&2
  [ "$status" -ne 0 ] || status="$fuzz_status"
fi
exit "$status"
