#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the build, the game and the tests need (Debian 12, as root),
# then configures and builds into build/. Quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev libqt6opengl6-dev libxkbcommon-dev qt6-multimedia-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation2
  xvfb xauth xdotool x11-utils imagemagick ffmpeg sox
  pulseaudio pulseaudio-utils
  abigail-tools lintian pkgconf dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build
