#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The title screen's lower part, as the player sees it on native Wayland with
# the window decorations Qt draws itself (GNOME and weston draw none), must be
# the same pixels as under X11: the row of four buttons and the version line.
# The title is shot under Xvfb (the reference), under headless weston (no
# decoration protocol: Qt decorates from the first frame, as on GNOME), the
# same as a GNOME session (where Qt 6.8 draws Adwaita's frame instead of its
# own), under headless sway told to leave decorations to the client, and
# under weston with Qt's decorations switched off
# (QT_WAYLAND_DISABLE_WINDOWDECORATION=1, known to be right: if that one
# differs too, the fault is not the decorations).
# On Wayland the client area is found inside the frame: Qt's frame is as wide
# on the left, right and bottom, its title bar is on top. Under sway the
# title's Enter then opens the battle window, whose two gauges must be drawn
# and not show the desktop through the window.
# Shots, crops and difference images stay in OUT_DIR; for a band that
# differs, NAME-BAND-compared.png shows X11, Wayland and the difference.
# Usage: check-title-layout.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")" && pwd)
game="$build/bin/mortavel"
[ -x "$game" ] || { echo "FAIL: no game at $game"; exit 1; }
for tool in Xvfb xdotool import convert compare weston weston-screenshooter; do
  command -v "$tool" > /dev/null || { echo "FAIL: $tool is needed (xvfb, xdotool, imagemagick, weston)"; exit 1; }
done

# The title window's client area, and in it the two bands that are compared
# (the picture above them holds the movie, which never stands still).
client_w=427
client_h=326
bands=("buttons 427x44+0+258" "version 427x25+0+301")
# Differing pixels allowed per band: the same Qt draws the same fonts on both,
# so only a stray pixel or two of anti-aliasing may differ.
tolerance=${MORTAVEL_LAYOUT_TOLERANCE:-8}

rm -rf "$out"
mkdir -p "$out"
root=$(mktemp -d)
pids=()
game_pid=
battle_client=
cleanup() {
  local pid
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  [ "$(type -t sway_stop)" = function ] && sway_stop
  rm -rf "$root"
  return 0
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$root/game.log" ] && tail -5 "$root/game.log"
  exit 1
}

export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/share"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Mortavel"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_WAYLAND_DISABLE_WINDOWDECORATION QT_WAYLAND_DECORATION \
  XDG_CURRENT_DESKTOP DISPLAY WAYLAND_DISPLAY
export QT_ENABLE_HIGHDPI_SCALING=0 LANGUAGE=ja
cd "$HOME"

start_game() {
  "$game" "$@" > "$root/game.log" 2>&1 &
  game_pid=$!
}
stop_game() {
  kill "$game_pid" 2> /dev/null || true
  wait "$game_pid" 2> /dev/null || true
  game_pid=
}

# The reference: the title's client window itself under Xvfb.
shoot_x11() {
  local fd_file="$root/x11.display" id _
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$fd_file" 2> "$root/xvfb.log" &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$fd_file" ] && break; sleep 0.1; done
  [ -s "$fd_file" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
  start_game
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name '^Mortavel$' 2> /dev/null | head -1) || true
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || fail "no title window under X11"
  sleep 2
  import -window "$id" "$out/x11-title.png"
  stop_game
  unset DISPLAY
}

# A private headless weston; the whole output is shot, the frame is what
# differs from the plain background.
weston_pid=
start_weston() {
  local dir=$1 _
  mkdir -p "$dir"
  chmod 700 "$dir"
  cat > "$dir/weston.ini" << 'EOF'
[core]
idle-time=0
[shell]
background-color=0xff204060
panel-position=none
locking=false
animation=none
startup-animation=none
EOF
  local backend=(--backend=headless-backend.so --use-pixman)
  weston --help 2>&1 | grep -q -- '--renderer' && backend=(--backend=headless --renderer=pixman)
  XDG_RUNTIME_DIR=$dir weston --config="$dir/weston.ini" "${backend[@]}" --socket=mortavel \
    --width=1024 --height=768 --idle-time=0 --debug > "$dir/weston.log" 2>&1 &
  weston_pid=$!
  pids+=("$weston_pid")
  for _ in $(seq 100); do [ -S "$dir/mortavel" ] && break; sleep 0.1; done
  [ -S "$dir/mortavel" ] || { tail -5 "$dir/weston.log"; fail "weston did not start"; }
  export XDG_RUNTIME_DIR=$dir WAYLAND_DISPLAY=mortavel
}
stop_weston() {
  kill "$weston_pid" 2> /dev/null || true
  wait "$weston_pid" 2> /dev/null || true
  unset WAYLAND_DISPLAY
}
weston_shot() {
  local file=$1 dir="$root/shots"
  rm -rf "$dir"
  mkdir -p "$dir"
  (cd "$dir" && weston-screenshooter > /dev/null 2>&1) || return 1
  mv "$dir"/*.png "$file"
}
# WxH+X+Y of what is not background (the output's corner colour).
frame_box() { convert "$1" -format '%@' info: 2> /dev/null; }

shoot_weston() {
  local name=$1 box _
  shift
  start_weston "$root/$name"
  QT_QPA_PLATFORM=wayland start_game "$@"
  # The window shows when something other than the background is on the
  # output and it is at least as large as the client area.
  for _ in $(seq 60); do
    sleep 0.5
    kill -0 "$game_pid" 2> /dev/null || fail "the game ended under weston"
    weston_shot "$out/$name-screen.png" || continue
    box=$(frame_box "$out/$name-screen.png")
    [[ "$box" =~ ^([0-9]+)x([0-9]+) ]] || continue
    [ "${BASH_REMATCH[1]}" -ge "$client_w" ] && [ "${BASH_REMATCH[2]}" -ge "$client_h" ] && break
  done
  sleep 2
  weston_shot "$out/$name-screen.png" || fail "weston-screenshooter failed"
  stop_game
  stop_weston
}

shoot_sway() {
  local name=$1 id
  shift
  # shellcheck source=sway.sh
  . "$here/sway.sh"
  sway_start || exit 1
  sway_learn_decoration "$game" || exit 1
  QT_QPA_PLATFORM=wayland start_game "$@"
  id=$(sway_wait_window '^Mortavel$' "${client_w}x${client_h}" 30 "$game_pid") \
    || fail "no decorated title window under sway"
  sleep 2
  sway_shot "$out/$name-screen.png"
  # Then the battle window, for its gauges.
  local battle x y decoration
  sway_key "$id" Return || fail "no keys under sway"
  sway_wait_gone "$id" 10 || fail "Enter on the title did not start a battle under sway"
  battle=$(sway_wait_window '^Mortavel$' 520x410 30 "$game_pid") || fail "no battle window under sway"
  sleep 3
  sway_shot "$out/$name-battle-screen.png"
  read -r x y <<< "$(sway_windows | awk -v id="$battle" '$1 == id { print $3, $4 }')"
  decoration=$(sway_decoration)
  battle_client="$((x + ${decoration%x*} / 2)) $((y + ${decoration#*x} - ${decoration%x*} / 2))"
  stop_game
  sway_stop
  unset WAYLAND_DISPLAY
}

# Cuts the client area out of a Wayland shot: Qt's frame is as wide on the
# left, right and bottom, and the rest of its height is the title bar.
client_area() {
  local name=$1 box w h x y side top
  box=$(frame_box "$out/$name-screen.png")
  [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "$name: no window on the screen (see $out/$name-screen.png)"
  w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
  [ "$w" -ge "$client_w" ] && [ "$h" -ge "$client_h" ] && [ $(((w - client_w) % 2)) -eq 0 ] \
    || fail "$name: a window of ${w}x$h is not the ${client_w}x$client_h title in a frame (see $out/$name-screen.png)"
  side=$(((w - client_w) / 2))
  top=$((h - client_h - side))
  convert "$out/$name-screen.png" -crop "${client_w}x${client_h}+$((x + side))+$((y + top))" +repage \
    "$out/$name-title.png"
  echo "$name: window ${w}x$h at $x,$y; frame $side px, title bar $top px"
}

# How many pixels of image A differ in any way from B (an image of the same
# size, or xc:COLOUR), as a whole number; with DIFF, the differing pixels are
# written there in white. Counted here instead of read from compare -metric
# AE, whose figure has changed meaning between ImageMagick releases (a bare
# count in 6, fractional counts in 7.1.1, a sum of the differences in 7.1.2).
# Usage: differing_pixels A B [DIFF]
differing_pixels() {
  local a=$1 b=$2 diff=${3:-} size count
  local write=()
  [ -n "$diff" ] && write=(-write "$diff")
  size=$(convert "$a" -format '%wx%h' info: 2>&1) || { echo "cannot read $a: $size"; return 1; }
  count=$(convert "$a" -alpha off \( -size "$size" "$b" -alpha off \) \
            -compose Difference -composite -separate -evaluate-sequence Max -threshold 0 \
            "${write[@]}" -format '%[fx:round(mean*w*h)]' info: 2>&1) \
    || { echo "cannot compare $a with $b: $count"; return 1; }
  [[ "$count" =~ ^[0-9]+$ ]] || { echo "cannot compare $a with $b: $count"; return 1; }
  echo "$count"
}

shoot_x11
shoot_weston weston
XDG_CURRENT_DESKTOP=GNOME shoot_weston weston-gnome
QT_WAYLAND_DISABLE_WINDOWDECORATION=1 shoot_weston weston-undecorated
shoot_sway sway

[ "$(identify -format '%wx%h' "$out/x11-title.png")" = "${client_w}x${client_h}" ] \
  || fail "the X11 title is not ${client_w}x$client_h"
faults=()
for name in weston weston-gnome weston-undecorated sway; do
  client_area "$name"
  for band in "${bands[@]}"; do
    read -r what geometry <<< "$band"
    convert "$out/x11-title.png" -crop "$geometry" +repage "$out/x11-$what.png"
    convert "$out/$name-title.png" -crop "$geometry" +repage "$out/$name-$what.png"
    differing=$(differing_pixels "$out/x11-$what.png" "$out/$name-$what.png" "$out/$name-$what-diff.png") \
      || fail "on $name $what: $differing"
    echo "  $what ($geometry): $differing pixels differ from X11"
    if [ "$differing" -gt "$tolerance" ]; then
      # X11 above, Wayland below, the differing pixels at the bottom.
      convert "$out/x11-$what.png" "$out/$name-$what.png" "$out/$name-$what-diff.png" \
        -background white -splice 0x4 -append "$out/$name-$what-compared.png"
      faults+=("$name $what: $differing pixels differ (see $out/$name-$what-compared.png)")
    fi
  done
done
# The battle window's two gauges are pictures drawn by the game: where the
# desktop's colour shows instead, the window is see-through there.
read -r bx by <<< "$battle_client"
desktop=$(convert "$out/sway-battle-screen.png" -format '%[pixel:p{0,0}]' info:)
for gauge in "picGaugeH 100x100+5+5" "picGaugeV 100x100+5+115"; do
  read -r what geometry <<< "$gauge"
  IFS='x+' read -r gw gh gx gy <<< "$geometry"
  convert "$out/sway-battle-screen.png" -crop "${gw}x$gh+$((bx + gx))+$((by + gy))" +repage "$out/sway-$what.png"
  drawn=$(differing_pixels "$out/sway-$what.png" "xc:$desktop") \
    || fail "on $what: $drawn"
  see_through=$((gw * gh - drawn))
  echo "battle window under sway: $what ($geometry): $see_through pixels of the desktop's colour"
  [ "$see_through" -le $((gw * gh / 2)) ] \
    || faults+=("sway battle $what: the desktop shows through it (see $out/sway-battle-screen.png)")
done
if [ ${#faults[@]} -gt 0 ]; then
  for fault in "${faults[@]}"; do echo "FAIL: $fault"; done
  exit 1
fi
echo "title layout and battle gauges on Wayland match X11; shots in $out"
