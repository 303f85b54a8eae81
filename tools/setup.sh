#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the build, the game and the tests need (Debian 12; through
# sudo when not run as root), then configures and builds into build/ as the
# user who runs it. Quick when nothing changed.
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
  # Only installing packages needs root; building and playing do not, so a
  # player runs this as themselves and is asked for sudo just here.
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These Debian packages are missing: ${missing[*]}" >&2
      echo "Install them as root (apt-get install ${missing[*]}), then run this again." >&2
      exit 1
    fi
    echo "Missing Debian packages: ${missing[*]}"
    echo "Installing them with sudo (apt-get); you may be asked for your password."
    as_root=(sudo)
  else
    echo "Installing: ${missing[*]}"
  fi
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build
