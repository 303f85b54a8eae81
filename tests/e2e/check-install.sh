#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a throw-away root and checks the layout a desktop
# expects: the game, its data, VelPrgBar, the desktop entry, the AppStream
# metainfo and the icons.
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
app_id=net.mortavel.Mortavel

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# DESTDIR keeps everything inside the throw-away root, also what installs to
# an absolute place; the space checks that nothing splits paths.
prefix="/opt/mortavel test"
p="$root$prefix"
DESTDIR="$root" cmake --install "$build" --prefix "$prefix" > "$root/install.log"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need_file() { [ -f "$1" ] || fail "missing ${1#"$root"}"; }

[ -x "$p/bin/mortavel" ] || fail "bin/mortavel is not an installed executable"
need_file "$p/share/man/man6/mortavel.6.gz"

# The data the game reads beside it, byte for byte the committed files.
data="$p/share/mortavel/data"
for f in Turn.wav Fire.wav MVTitle.avi HSData.mvt; do
  need_file "$data/$f"
  if [ -f "$data/$f" ]; then
    cmp -s "$src/data/$f" "$data/$f" || fail "data/$f differs from the source"
  fi
done

# The built translations, one per .ts file of the source.
for ts in "$src"/translations/*.ts; do
  [ -f "$ts" ] || continue
  need_file "$p/share/mortavel/translations/$(basename "$ts" .ts).qm"
done

if [ -f "$src/progressbar/CMakeLists.txt" ]; then
  lib=$(compgen -G "$p/lib*/libVelPrgBar.so.1" || compgen -G "$p/lib*/*/libVelPrgBar.so.1" || true)
  [ -n "$lib" ] || fail "libVelPrgBar.so.1 is not in a lib folder of the prefix"
  libdir=$(dirname "${lib:-$p/lib/x}")
  # What a program built against VelPrgBar needs, and only the public headers.
  headers=$(cd "$p/include/VelPrgBar" 2> /dev/null && ls | tr '\n' ' ')
  [ "$headers" = "VelPrgBarApi.h VelPrgBarVersion.h VelProgressBar.h velprgbar_export.h " ] \
    || fail "installed VelPrgBar headers: $headers"
  need_file "$libdir/cmake/VelPrgBar/VelPrgBarConfig.cmake"
  need_file "$libdir/cmake/VelPrgBar/VelPrgBarConfigVersion.cmake"
  need_file "$libdir/pkgconfig/VelPrgBar.pc"
  grep -qxF "prefix=$prefix" "$libdir/pkgconfig/VelPrgBar.pc" 2> /dev/null \
    || fail "VelPrgBar.pc does not name the prefix installed to"
  # The Designer plugin finds the library relative to itself, never through
  # a path of the build or of the configured prefix.
  plugin=$(find "$p" -name libVelPrgBarDesigner.so | head -n 1)
  if [ -n "$plugin" ]; then
    for path in $(readelf -d "$plugin" | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]/\2/p' | tr ':' ' '); do
      case "$path" in
        '$ORIGIN'*) [ -f "$(dirname "$plugin")/${path#\$ORIGIN}/libVelPrgBar.so.1" ] \
                      || fail "the Designer plugin's RUNPATH $path does not lead to the library" ;;
        *) fail "the Designer plugin has RUNPATH $path" ;;
      esac
    done
  fi
fi

desktop="$p/share/applications/$app_id.desktop"
need_file "$desktop"
if [ -f "$desktop" ]; then
  grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry does not name the icon $app_id"
  grep -qx "Exec=mortavel" "$desktop" || fail "desktop entry does not start mortavel"
  grep -q "^Categories=.*\bGame;" "$desktop" || fail "desktop entry is not in the Game category"
  if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
  else
    echo "note: desktop-file-validate not installed, desktop entry checked by hand only"
  fi
fi

metainfo="$p/share/metainfo/$app_id.metainfo.xml"
need_file "$metainfo"
if [ -f "$metainfo" ]; then
  grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "metainfo does not launch the desktop entry"
  if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$metainfo" > "$root/appstream.log" 2>&1 \
      || { cat "$root/appstream.log"; fail "appstreamcli rejects the metainfo"; }
  fi
fi

# Every icon the artwork provides, in the hicolor sizes from 16 to 256.
icons=0
for icon in "$src"/game/assets/icons/hicolor/*/apps/$app_id.png; do
  [ -f "$icon" ] || continue
  size=$(basename "$(dirname "$(dirname "$icon")")")
  need_file "$p/share/icons/hicolor/$size/apps/$app_id.png"
  icons=$((icons + 1))
done
for size in 16x16 32x32 48x48 64x64 128x128 256x256; do
  need_file "$p/share/icons/hicolor/$size/apps/$app_id.png"
done
[ "$icons" -gt 0 ] || fail "no icons in the source"

# Nothing may land outside the prefix, the Designer plugin included.
stray=$(cd "$root" && find . -type f ! -path "./opt/*" ! -name '*.log')
[ -z "$stray" ] || fail "installed outside the prefix: $stray"

# Under /usr the game goes where Debian keeps games, beside bin/ so that
# its data and library are found the same way.
usr_root=$root/usr-install
DESTDIR="$usr_root" cmake --install "$build" --prefix /usr --component mortavel > "$root/install-usr.log"
[ -x "$usr_root/usr/games/mortavel" ] || fail "an install to /usr does not put the game in /usr/games"
[ -e "$usr_root/usr/bin/mortavel" ] && fail "an install to /usr puts the game in /usr/bin"
rm -rf "$usr_root"

if [ "$failures" -gt 0 ]; then
  echo "$failures problem(s) with the installed layout"
  exit 1
fi
echo "installed layout complete ($icons icons)"
