#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit tests,
# GL tests that read pixels back, end-to-end tests of the real binary, and one
# short pass of each benchmark. Without a display it starts Xvfb itself (Mesa's
# llvmpipe gives a real OpenGL 4.5 core context). Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" --parallel "$(nproc)"
cd "$root/build"
# In parallel, one test per core: every test has its own scratch folder, and
# every GL and end-to-end test process starts an Xvfb of its own.
jobs="$(nproc)"
if [ -z "${DISPLAY:-}" ]; then
  # Anything else that wants a display gets a shared one. -noreset: Xvfb
  # otherwise resets whenever its last client leaves.
  exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" ctest --output-on-failure --timeout 900 -j "$jobs" "$@"
else
  exec ctest --output-on-failure --timeout 900 -j "$jobs" "$@"
fi
