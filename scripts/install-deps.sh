#!/usr/bin/env bash
# Installs the Debian packages Sandlark needs, in two sets:
#
#   scripts/install-deps.sh --game   what building and running the game needs
#                                    (scripts/play.sh)
#   scripts/install-deps.sh          that and what the tests, fuzzing and
#                                    packaging add (scripts/test.sh)
#
# Only what is missing is installed, and the script says what that is, so
# running it again costs nothing.
set -euo pipefail

# The game, its asset generator and the OpenGL drivers it runs on (Mesa's
# llvmpipe where there is no GPU). The asset generator draws the game's text
# with Bebas Neue.
game_packages=(
  build-essential cmake pkg-config
  libglfw3-dev libglew-dev libglm-dev libassimp-dev libfreeimage-dev libfreetype-dev
  libopenal-dev libsndfile1-dev
  libgl1-mesa-dri
  fonts-bebas-neue
)

test_packages=(
  # The test programs, and the windows they open and drive on displays of
  # their own.
  libx11-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils mesa-utils
  # The fuzz targets: clang with libFuzzer and the sanitizer runtimes, and
  # llvm-symbolizer for readable reports.
  clang libclang-rt-14-dev llvm
  # Installing and packaging: cpack's dependency scan (dpkg-shlibdeps, file), the
  # checks of the desktop entry, metadata and manual page, and lintian.
  dpkg-dev file desktop-file-utils appstream man-db groff-base lintian
)

case "${1:-}" in
  --game) packages=("${game_packages[@]}") ;;
  "") packages=("${game_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: scripts/install-deps.sh [--game]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
