#!/usr/bin/env bash
# Installs the Debian packages the game, its asset generator, its packaging and
# its tests need.
# Only what is missing is installed, so running it again costs nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libglfw3-dev libglew-dev libglm-dev libassimp-dev libfreeimage-dev libfreetype-dev
  libx11-dev
  libopenal-dev libsndfile1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils
  libgl1-mesa-dri mesa-utils
  fonts-bebas-neue
  # The fuzz targets: clang with libFuzzer and the sanitizer runtimes, and
  # llvm-symbolizer for readable reports.
  clang libclang-rt-14-dev llvm
  # Installing and packaging: cpack's dependency scan (dpkg-shlibdeps, file), the
  # checks of the desktop entry, metadata and manual page, and lintian.
  dpkg-dev file desktop-file-utils appstream man-db groff-base lintian
)

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
