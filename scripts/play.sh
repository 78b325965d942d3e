#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the game in its
# game directory (build/game), where it finds configuration.txt, Shaders/ and Assets/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" --parallel "$(nproc)"
cd "$root/build/game"
exec ./sandlark
