#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian packages of a build with cpack, as the README says, into a
# throw-away folder and checks each of them: lintian reports no error and no
# warning, everything lies under /usr, binaries are stripped, nothing points
# into the prefix the tree was configured with, and each package holds what
# it should.
# Usage: check-packages.sh BUILD_DIR    (exit 77: a needed tool is missing)
set -euo pipefail
build=$(cd "$1" && pwd)

for tool in cpack lintian dpkg-deb dpkg-shlibdeps readelf file gzip; do
  if ! command -v "$tool" > /dev/null; then
    echo "SKIP: $tool is not installed (tools/setup.sh installs it)"
    exit 77
  fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! (cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" > "$out/cpack.log" 2>&1); then
  cat "$out/cpack.log"
  echo "FAIL: cpack could not make the packages"
  exit 1
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

configured_prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
packages=(mortavel libvelprgbar1 libvelprgbar-dev)
[ -f "$build/bin/designer/libVelPrgBarDesigner.so" ] && packages+=(velprgbar-designer)
made=$(cd "$out" && ls ./*.deb | wc -l)
[ "$made" -eq "${#packages[@]}" ] || fail "cpack made $made packages, expected ${#packages[@]}"

for package in "${packages[@]}"; do
  deb=$(compgen -G "$out/${package}_*.deb" | head -n 1 || true)
  if [ -z "$deb" ]; then
    fail "no package $package"
    continue
  fi
  echo "== $(basename "$deb")"

  # lintian: not a single error or warning (informational tags are fine).
  if ! lintian --fail-on error,warning --tag-display-limit 0 "$deb" > "$out/lintian.log" 2>&1 \
     || grep -qE '^[EW]: ' "$out/lintian.log"; then
    cat "$out/lintian.log"
    fail "lintian reports errors or warnings on $package"
  fi

  root=$out/root-$package
  control=$out/control-$package
  dpkg-deb -x "$deb" "$root"
  dpkg-deb -e "$deb" "$control"

  outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
  [ -z "$outside" ] && [ -d "$root/usr" ] || fail "$package installs outside /usr: $outside"
  [ -f "$root/usr/share/doc/$package/copyright" ] || fail "$package has no copyright file"
  [ -f "$root/usr/share/doc/$package/changelog.gz" ] || fail "$package has no changelog"

  while IFS= read -r -d '' f; do
    info=$(file -b "$f")
    case "$info" in
      ELF*)
        case "$info" in *"not stripped"*) fail "$package: ${f#"$root"} is not stripped" ;; esac
        while read -r path; do
          case "$path" in
            '$ORIGIN'*) ;;
            *) fail "$package: ${f#"$root"} has RUNPATH $path" ;;
          esac
        done < <(readelf -d "$f" | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]/\2/p' | tr ':' '\n')
        ;;
    esac
  done < <(find "$root" -type f -print0)
  if [ -n "$configured_prefix" ] && [ "$configured_prefix" != /usr ]; then
    # As 8-bit text and as the UTF-16 of a QStringLiteral.
    stray=$(find "$root" -type f -exec perl -e '
      my $p = shift; my $u = join("", map { $_ . "\0" } split(//, $p));
      local $/;
      for my $f (@ARGV) {
        open(my $h, "<:raw", $f) or next;
        my $d = <$h>;
        print "$f\n" if index($d, $p) >= 0 || index($d, $u) >= 0;
      }' "$configured_prefix" {} +)
    [ -z "$stray" ] || fail "$package names the configured prefix $configured_prefix in: ${stray//$root/}"
  fi
done

# What each package is for.
r=$out/root-mortavel
[ -x "$r/usr/games/mortavel" ] || fail "mortavel: the game is not /usr/games/mortavel"
[ -f "$r/usr/share/man/man6/mortavel.6.gz" ] || fail "mortavel: no manual page mortavel.6"
[ -f "$r/usr/share/mortavel/data/HSData.mvt" ] || fail "mortavel: no data in /usr/share/mortavel"
compgen -G "$r/usr/lib*/**/libVelPrgBar*" > /dev/null && fail "mortavel carries the VelPrgBar library"
grep -q '^Depends:.*libvelprgbar1 (>= ' "$out/control-mortavel/control" \
  || fail "mortavel does not depend on libvelprgbar1"

r=$out/root-libvelprgbar1
c=$out/control-libvelprgbar1
compgen -G "$r/usr/lib/*libVelPrgBar.so.1*" > /dev/null \
  || compgen -G "$r/usr/lib/*/libVelPrgBar.so.1*" > /dev/null || fail "libvelprgbar1: no libVelPrgBar.so.1"
grep -qx 'libVelPrgBar 1 libvelprgbar1 (>= .*)' "$c/shlibs" 2> /dev/null || fail "libvelprgbar1: shlibs"
grep -qx 'activate-noawait ldconfig' "$c/triggers" 2> /dev/null || fail "libvelprgbar1: no ldconfig trigger"
grep -q '^Depends:.*libqt6widgets6' "$c/control" || fail "libvelprgbar1: dependencies not worked out"
[ ! -e "$c/postinst" ] && [ ! -e "$c/postrm" ] || fail "libvelprgbar1: maintainer scripts"

r=$out/root-libvelprgbar-dev
pc=$(find "$r" -name VelPrgBar.pc)
[ -n "$pc" ] && grep -qx 'prefix=/usr' "$pc" || fail "libvelprgbar-dev: VelPrgBar.pc is not for /usr"
[ -f "$(dirname "$pc")/../cmake/VelPrgBar/VelPrgBarConfig.cmake" ] || fail "libvelprgbar-dev: no CMake package"
[ -L "$(dirname "$pc")/../libVelPrgBar.so" ] || fail "libvelprgbar-dev: no libVelPrgBar.so link"
[ -f "$r/usr/include/VelPrgBar/VelProgressBar.h" ] || fail "libvelprgbar-dev: no headers"

if [ -d "$out/root-velprgbar-designer" ]; then
  compgen -G "$out/root-velprgbar-designer/usr/lib/*/qt6/plugins/designer/libVelPrgBarDesigner.so" > /dev/null \
    || fail "velprgbar-designer: the plugin is not in Qt's plugin folder"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures problem(s) with the packages"
  exit 1
fi
echo "packages ${packages[*]}: lintian clean, laid out for /usr"
