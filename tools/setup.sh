#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the build, the game and the tests need (Debian 12, 13 or
# testing; through sudo when not run as root), then configures and builds
# into build/ as the user who runs it. Quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."

# The same on both releases.
packages=(
  cmake ninja-build g++ clang
  qt6-base-dev libxkbcommon-dev libsdl2-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n qt6-wayland
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xauth xdotool xclip x11-utils imagemagick ffmpeg sox
  pulseaudio pulseaudio-utils pipewire pipewire-bin pipewire-pulse wireplumber
  weston sway wtype grim wl-clipboard
  abigail-tools lintian desktop-file-utils appstream pkgconf dpkg-dev file debootstrap
)
# What differs: Qt 6.4 keeps its OpenGL module's headers apart, while Qt 6.8
# and later have them in qt6-base-dev; Liberation 2 is fonts-liberation2 on
# 12 and fonts-liberation later. The sanitizers' runtime follows the
# installed clang (below). The house style is checked with Debian 12's
# clang-format (tools/check-format.sh).
release_12=(libqt6opengl6-dev fonts-liberation2 clang-format)
release_13=(fonts-liberation)
# CI keeps compiled objects between runs.
if [ "${CMAKE_CXX_COMPILER_LAUNCHER:-}" = ccache ]; then
  packages+=(ccache)
fi

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
    # Testing names itself by its codename alone and has no VERSION_ID; sid
    # installs what testing does.
    /forky | /sid) release=testing ;;
  esac
fi
case "$release" in
  12) packages+=("${release_12[@]}") ;;
  13 | testing) packages+=("${release_13[@]}") ;;
  *)
    {
      echo "tools/setup.sh knows Debian 12 (bookworm), Debian 13 (trixie) and testing (forky); this system is ${pretty:-unknown (no /etc/os-release)}."
      echo "Install these (Debian 13's package names; use your system's names for the same):"
      echo "  ${packages[*]} ${release_13[*]} libclang-rt-19-dev"
      echo "(libclang-rt-N-dev: N is your clang's major version)"
      echo "Then configure and build by hand:"
      echo "  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build build"
    } >&2
    exit 1
    ;;
esac

as_root=()
if [ "$(id -u)" -ne 0 ] && command -v sudo > /dev/null; then
  as_root=(sudo)
fi
apt_updated=no
apt_update() {
  if [ "$apt_updated" = no ]; then
    "${as_root[@]}" apt-get update
    apt_updated=yes
  fi
}

# The fuzzer's and sanitizers' runtime belongs to one clang: the one
# installed, or else the one the release's clang package would install. Read
# from the release itself, so a new release's default clang needs no edit
# here. Debian's clang package is versioned 1:MAJOR.x.
clang_major() {
  local v
  v=$(dpkg-query -W -f='${Status}|${Version}' clang 2> /dev/null \
        | sed -n 's/^install ok installed|//p')
  if [ -z "$v" ]; then
    v=$(apt-cache policy clang 2> /dev/null | sed -n 's/^ *Candidate: *//p')
    [ "$v" = '(none)' ] && v=''
  fi
  v=${v#*:}
  v=${v%%.*}
  case "$v" in '' | *[!0-9]*) return 1 ;; esac
  echo "$v"
}
if ! major=$(clang_major); then
  # A fresh system may have no package lists yet.
  if [ "$(id -u)" -eq 0 ] || [ ${#as_root[@]} -gt 0 ]; then
    echo "Reading the package lists to find the release's clang (apt-get update)"
    apt_update
  fi
  major=$(clang_major) || {
    echo "tools/setup.sh: cannot tell which clang this release installs (apt-cache policy clang); is apt set up?" >&2
    exit 1
  }
fi
packages+=("libclang-rt-$major-dev")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # Only installing packages needs root; building and playing do not, so a
  # player runs this as themselves and is asked for sudo just here.
  if [ "$(id -u)" -ne 0 ]; then
    if [ ${#as_root[@]} -eq 0 ]; then
      echo "These Debian packages are missing: ${missing[*]}" >&2
      echo "Install them as root (apt-get install ${missing[*]}), then run this again." >&2
      exit 1
    fi
    echo "Missing Debian packages: ${missing[*]}"
    echo "Installing them with sudo (apt-get); you may be asked for your password."
  else
    echo "Installing: ${missing[*]}"
  fi
  apt_update
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
