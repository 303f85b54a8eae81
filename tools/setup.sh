#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the build, the game and the tests need (Debian 12 or 13;
# through sudo when not run as root), then configures and builds into build/
# as the user who runs it. Quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."

# The same on both releases.
packages=(
  cmake ninja-build g++ clang
  qt6-base-dev libxkbcommon-dev qt6-multimedia-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n qt6-wayland
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xauth xdotool x11-utils imagemagick ffmpeg sox
  pulseaudio pulseaudio-utils pipewire pipewire-bin pipewire-pulse wireplumber
  weston sway wtype grim
  abigail-tools lintian desktop-file-utils appstream pkgconf dpkg-dev file debootstrap
)
# What differs: the fuzzer's and sanitizers' runtime follows the release's
# clang; Qt 6.4 plays sound and video through GStreamer (whose plug-ins
# nothing else pulls in) and keeps its OpenGL module's headers apart, while
# Qt 6.8 plays through FFmpeg (in libqt6multimedia6) and has them in
# qt6-base-dev; Liberation 2 is fonts-liberation2 on 12 and fonts-liberation
# on 13.
release_12=(libclang-rt-14-dev libqt6opengl6-dev
            gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-liberation2)
release_13=(libclang-rt-19-dev fonts-liberation)

os_id='' version_id='' codename='' pretty=''
if [ -r /etc/os-release ]; then
  # shellcheck disable=SC1091
  IFS='|' read -r os_id version_id codename pretty < <(
    . /etc/os-release && echo "${ID:-}|${VERSION_ID:-}|${VERSION_CODENAME:-}|${PRETTY_NAME:-}")
fi
release=''
if [ "$os_id" = debian ]; then
  case "$version_id/$codename" in
    12/* | */bookworm) release=12 ;;
    13/* | */trixie) release=13 ;;
  esac
fi
case "$release" in
  12) packages+=("${release_12[@]}") ;;
  13) packages+=("${release_13[@]}") ;;
  *)
    {
      echo "tools/setup.sh knows Debian 12 (bookworm) and Debian 13 (trixie); this system is ${pretty:-unknown (no /etc/os-release)}."
      echo "Install these (Debian 13's package names; use your system's names for the same):"
      echo "  ${packages[*]} ${release_13[*]}"
      echo "and, where Qt Multimedia plays through GStreamer (Qt 6.4): gstreamer1.0-plugins-base gstreamer1.0-plugins-good"
      echo "Then configure and build by hand:"
      echo "  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build build"
    } >&2
    exit 1
    ;;
esac

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
# CI builds with warnings as errors, so that no new warning lands; a player's
# build only shows them.
if [ "${CI:-}" = true ]; then
  cmake -S . -B build -DWARNINGS_AS_ERRORS=ON > /dev/null
fi
cmake --build build
