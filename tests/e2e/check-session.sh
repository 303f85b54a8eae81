#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A whole session of the installed game under Xvfb, driven by real key
# presses: title screen, a 120-second battle with one shot, the ranking
# entry typed into the input box, the title again, the high-score viewer,
# quit. Then the score file must hold the name, in Shift-JIS, in the list of
# the settings played. Screenshots and the game's output stay in OUT_DIR.
# LANGUAGE ja (the default) plays it in Japanese; en starts the game with
# --language en over a Japanese desktop and plays it in English.
# DESKTOP x11 (the default) plays it under Xvfb with xdotool and import;
# wayland plays it natively under a private headless sway (tests/e2e/sway.sh)
# with wtype and grim, the game drawing its own window decorations.
# Usage: check-session.sh BUILD_DIR OUT_DIR [LANGUAGE] [DESKTOP]
set -euo pipefail
build=$1
out=$2
language=${3:-ja}
desktop=${4:-x11}
here=$(cd "$(dirname "$0")" && pwd)

if [ "$desktop" = x11 ] && [ -z "${MORTAVEL_E2E_DISPLAY:-}" ]; then
  for tool in xvfb-run xdotool import iconv; do
    command -v "$tool" > /dev/null || { echo "FAIL: $tool is needed"; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24" env MORTAVEL_E2E_DISPLAY=1 "$0" "$@"
fi

rm -rf "$out"
mkdir -p "$out"
root=$(mktemp -d)
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null || true
  [ "$desktop" = wayland ] && sway_stop
  rm -rf "$root"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  shot failure 2> /dev/null || true
  [ -f "$out/game.log" ] && tail -20 "$out/game.log"
  exit 1
}

# Its own install, settings store and per-user data, away from the build tree.
prefix=/opt/mortavel
DESTDIR="$root" cmake --install "$build" --prefix "$prefix" > "$root/install.log"
game="$root$prefix/bin/mortavel"
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/share"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Mortavel" "$XDG_DATA_HOME/Mortavel/Mortavel"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_WAYLAND_DISABLE_WINDOWDECORATION QT_WAYLAND_DECORATION XDG_CURRENT_DESKTOP
export QT_ENABLE_HIGHDPI_SCALING=0

printf '[Config]\nEnemyMax=7\nGameLevel=1\nTimeLimit=120\n' > "$XDG_CONFIG_HOME/Mortavel/Mortavel.ini"
# The player's rankings start from the installed file, with the list of this
# battle (120 s, Normal: lines 11 to 20) empty so that any score enters.
scores="$XDG_DATA_HOME/Mortavel/Mortavel/HSData.mvt"
installed_scores="$root$prefix/share/mortavel/data/HSData.mvt"
[ -f "$installed_scores" ] || fail "no installed score file"
awk 'NR >= 11 && NR <= 20 { printf "\t0\t0\r\n"; next } { print }' "$installed_scores" > "$scores"

# The desktop's part: wait_window NAME_RE SIZE SECONDS prints the id of the
# visible window whose name matches and whose client area is SIZE ("-" for
# any); wait_gone ID SECONDS; is_open ID; press ID KEY... (xdotool key
# names); type_to ID TEXT; shot NAME saves the whole screen as
# OUT_DIR/NAME.png.
case "$desktop" in
x11)
  export QT_QPA_PLATFORM=xcb
  wait_window() {
    local name=$1 size=$2 seconds=$3 id geometry
    local deadline=$((SECONDS + seconds))
    while [ "$SECONDS" -lt "$deadline" ]; do
      for id in $(xdotool search --onlyvisible --name "$name" 2> /dev/null); do
        geometry=$(xdotool getwindowgeometry "$id" 2> /dev/null | awk '/Geometry/ { print $2 }')
        if [ "$size" = - ] || [ "$geometry" = "$size" ]; then
          echo "$id"
          return 0
        fi
      done
      kill -0 "$game_pid" 2> /dev/null || return 1
      sleep 0.2
    done
    return 1
  }
  wait_gone() {
    local id=$1 seconds=$2
    local deadline=$((SECONDS + seconds))
    while xdotool getwindowname "$id" > /dev/null 2>&1; do
      [ "$SECONDS" -lt "$deadline" ] || return 1
      sleep 0.2
    done
  }
  is_open() { xdotool getwindowname "$1" > /dev/null 2>&1; }
  # Without a window manager nothing gives focus: hand it over, then type.
  press() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id"
    xdotool key "$@"
  }
  type_to() {
    xdotool windowfocus --sync "$1"
    xdotool type --delay 60 "$2"
  }
  shot() { import -window root "$out/$1.png"; }
  ;;
wayland)
  # shellcheck source=sway.sh
  . "$here/sway.sh"
  sway_start || exit 1
  sway_learn_decoration "$game" || exit 1
  export QT_QPA_PLATFORM=wayland
  wait_window() { sway_wait_window "$1" "$2" "$3" "$game_pid"; }
  wait_gone() { sway_wait_gone "$@"; }
  is_open() { sway_windows | grep -q "^$1 "; }
  press() { sway_key "$@"; }
  type_to() { sway_type "$@"; }
  shot() { sway_shot "$out/$1.png"; }
  ;;
*)
  echo "FAIL: unknown desktop $desktop (x11 or wayland)"
  exit 1
  ;;
esac

cd "$HOME"
export LANGUAGE=ja
"$game" --language "$language" > "$out/game.log" 2>&1 &
game_pid=$!

title_size=427x326
battle_size=520x410
if [ "$language" = en ]; then
  name="Admiral E2E"
  entry_title='^New High Score$'
  viewer_title='^Mortavel - High Scores$'
  close_key=alt+c
else
  name="テスト提督E2E"
  entry_title='^ハイスコア登録$'
  viewer_title='^Mortavel - ハイスコア$'
  close_key=alt+q
fi

title=$(wait_window '^Mortavel$' "$title_size" 30) || fail "the title screen did not appear"
sleep 2
shot 1-title
press "$title" Return
battle=$(wait_window '^Mortavel$' "$battle_size" 30) || fail "Enter on the title did not start a battle"
wait_gone "$title" 10 || fail "the title screen stayed open during the battle"
started=$SECONDS
sleep 3
press "$battle" Return
sleep 2.5
shot 2-battle-fired

entry=$(wait_window "$entry_title" - 200) || fail "no ranking entry after the time limit"
[ $((SECONDS - started)) -ge 115 ] || fail "the battle ended after $((SECONDS - started)) s, before its 120 s"
sleep 1
shot 3-ranking-entry
type_to "$entry" "$name"
sleep 0.5
shot 4-name-typed
press "$entry" Return

title=$(wait_window '^Mortavel$' "$title_size" 30) || fail "the title screen did not come back"
wait_gone "$battle" 15 || fail "the battle window stayed after the end"
sleep 2
shot 5-title-again
press "$title" alt+h
viewer=$(wait_window "$viewer_title" - 15) || fail "Alt+H did not open the high-score viewer"
sleep 1
shot 6-viewer
# The viewer has no cancel button: Esc leaves it open, its close button's
# access key closes it.
press "$viewer" Escape
sleep 1
is_open "$viewer" || fail "Esc closed the viewer, which has no cancel button"
press "$viewer" "$close_key"
wait_gone "$viewer" 10 || fail "$close_key did not close the viewer"
press "$title" Escape
for _ in $(seq 50); do
  kill -0 "$game_pid" 2> /dev/null || break
  sleep 0.2
done
kill -0 "$game_pid" 2> /dev/null && fail "Esc on the title did not end the program"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# The score file: 120 CR LF lines, the name first in list (120 s, Normal),
# encoded in Shift-JIS.
[ "$(wc -l < "$scores")" -eq 120 ] || fail "the score file does not have 120 lines"
[ "$(grep -c $'\r$' "$scores")" -eq 120 ] || fail "the score file lines do not end in CR LF"
sjis_name=$(printf '%s' "$name" | iconv -f UTF-8 -t CP932 | od -An -tx1 | tr -d ' \n')
line11=$(sed -n 11p "$scores" | od -An -tx1 | tr -d ' \n')
case "$line11" in
  "${sjis_name}09"*) ;;
  *) fail "line 11 of the score file does not start with the name in Shift-JIS: $(sed -n 11p "$scores" | iconv -f CP932 -t UTF-8)" ;;
esac
points=$(sed -n 11p "$scores" | cut -f2)
[[ "$points" =~ ^[0-9]+$ ]] || fail "the new entry has no score: '$points'"
[ "$(grep -c "$(printf '%s' "$name" | iconv -f UTF-8 -t CP932)" "$scores")" -eq 1 ] \
  || fail "the name is in the score file other than once"
grep -q "^ApplicationPath=$root$prefix/bin$" "$XDG_CONFIG_HOME/Mortavel/Mortavel.ini" \
  || fail "the title screen did not record the installed program folder"

decorated=
[ "$desktop" = wayland ] && decorated="; the game drew its own decorations ($(sway_decoration) px frame)"
echo "session complete on $desktop: $name entered with $points points$decorated; screenshots in $out"
