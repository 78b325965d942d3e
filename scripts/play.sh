#!/usr/bin/env bash
# Installs what building and running the game needs (only what is missing),
# builds the game and its data in a Release build and starts it in its game
# directory (build/game), where it finds configuration.txt, Shaders/ and
# Assets/. The tests and benchmarks are neither installed nor built:
# scripts/test.sh does both.
#
# SANDLARK_BUILD_DIR builds somewhere other than build/ (the install tests
# build in a scratch folder).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SANDLARK_BUILD_DIR:-$root/build}"

usage() {
  cat <<'TEXT'
Usage: scripts/play.sh [--help | --version | --build-only]

Installs the Debian packages the game needs (only those missing), builds the
game in build/ and starts it in build/game, where it reads configuration.txt,
Shaders/ and Assets/.

Press Enter on the waiting screen to start a level; Escape during play ends the
game. The controls and the settings are described in the README and in
build/packaging/sandlark.6 (man -l build/packaging/sandlark.6).

  --help        show this text and exit
  --version     show the version and exit
  --build-only  install and build, but do not start the game (needs no display)
TEXT
}

start=1
for argument in "$@"; do
  case $argument in
    -h | --help) usage; exit 0 ;;
    --version)
      printf 'sandlark %s\n' "$(sed -n 's/^project(Sandlark VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
      exit 0
      ;;
    --build-only) start=0 ;;
    *)
      printf "play.sh: unknown argument '%s'\nTry 'scripts/play.sh --help'.\n" "$argument" >&2
      exit 2
      ;;
  esac
done

# Minutes of installing and building are wasted if the window cannot open at the end.
if [ "$start" -eq 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "play.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): start it in a desktop session, or pass --build-only" >&2
  exit 1
fi

"$root/scripts/install-deps.sh" --game
# Without the tests, whose packages were not installed: scripts/test.sh
# configures the same folder with them again.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSANDLARK_BUILD_TESTS=OFF
# The game brings what it needs to run: the generated assets, the shaders and
# the configuration.
cmake --build "$build" --parallel "$(nproc)" --target sandlark
if [ "$start" -eq 0 ]; then
  exit 0
fi
cd "$build/game"
exec ./sandlark
