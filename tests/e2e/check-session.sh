#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A whole session of the installed game under Xvfb, driven by real key
# presses (or a game controller, see INPUT): title screen, a 120-second
# battle with one shot, the ranking entry typed into the input box, the
# title again, the high-score viewer, quit. Then the score file must hold
# the name, in Shift-JIS, in the list of the settings played. Screenshots and the game's output stay in OUT_DIR.
# LANGUAGE ja (the default) plays it in Japanese; en starts the game with
# --language en over a Japanese desktop and plays it in English.
# DESKTOP x11 (the default) plays it under Xvfb with xdotool and import;
# wayland plays it natively under a private headless sway (tests/e2e/sway.sh)
# with wtype and grim, the game drawing its own window decorations.
# INPUT keys (the default) plays it with the keyboard; controller plays every
# move of the player on a virtual game controller inside the game, fed
# through a FIFO in MORTAVEL_TEST_CONTROLLER_SCRIPT. The name box is then
# confirmed empty, so the game's own name for an empty entry is entered.
# Usage: check-session.sh BUILD_DIR OUT_DIR [LANGUAGE] [DESKTOP] [INPUT]
set -euo pipefail
build=$1
out=$2
language=${3:-ja}
desktop=${4:-x11}
input=${5:-keys}
here=$(cd "$(dirname "$0")" && pwd)
case "$input" in
  keys | controller) ;;
  *) echo "FAIL: unknown input $input (keys or controller)"; exit 1 ;;
esac

if [ "$desktop" = x11 ] && [ -z "${MORTAVEL_E2E_DISPLAY:-}" ]; then
  for tool in xvfb-run xdotool xclip import iconv; do
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
  # sway.sh may not have been read yet when the run fails early.
  if [ "$desktop" = wayland ] && declare -F sway_stop > /dev/null; then sway_stop; fi
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
unset MORTAVEL_TEST_CONTROLLER_SCRIPT
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
# names); put_clipboard TEXT; clipboard prints the clipboard's text; shot
# NAME saves the whole screen as OUT_DIR/NAME.png.
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
  # xclip stays behind to serve the selection until someone else takes it.
  put_clipboard() { printf '%s' "$1" | xclip -selection clipboard -i > /dev/null 2>&1; }
  clipboard() { xclip -selection clipboard -o 2> /dev/null; }
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
  put_clipboard() { sway_put_clipboard "$1"; }
  clipboard() { sway_clipboard; }
  shot() { sway_shot "$out/$1.png"; }
  ;;
*)
  echo "FAIL: unknown desktop $desktop (x11 or wayland)"
  exit 1
  ;;
esac

# Text goes in through the clipboard, not typed key by key: a character with
# no key of its own (all the Japanese ones) makes xdotool and wtype change
# the keyboard's map for it, and under load the game can read a key press
# after the map has changed again, so a character is lost or another comes
# in its place. A paste is one ordinary key press. What the field then holds
# is copied back and checked before it is accepted, and pasted again if it
# is not the text.
type_to() {
  local id=$1 text=$2 held='' _
  for _ in 1 2 3; do
    put_clipboard "$text" || fail "could not put the text on the clipboard"
    press "$id" ctrl+a ctrl+v
    sleep 0.5
    put_clipboard ''
    press "$id" ctrl+a ctrl+c
    sleep 0.5
    held=$(clipboard) || held=''
    [ "$held" = "$text" ] && { press "$id" End; return 0; }
    echo "the field holds '$held' instead of '$text'; pasting again"
  done
  fail "the field does not hold '$text' but '$held'"
}

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

# The player's moves. Each says in a few words how it is made, for the
# failures.
game_env=()
case "$input" in
keys)
  start_battle() { press "$title" Return; }
  started_by="Enter on the title"
  lay_gun() { :; }
  fire() { press "$battle" Return; }
  enter_name() {
    type_to "$entry" "$name"
    sleep 0.5
    shot 4-name-typed
    press "$entry" Return
  }
  open_viewer() { press "$title" alt+h; }
  opened_by="Alt+H"
  try_cancel() { press "$viewer" Escape; }
  cancelled_by="Esc"
  close_viewer() { press "$viewer" "$close_key"; }
  closed_by=$close_key
  quit() { press "$title" Escape; }
  quit_by="Esc on the title"
  ;;
controller)
  # Opened for reading too, so that opening does not wait for the game, and
  # held for the whole session, so that the game never reads the script as
  # ended. What is written before the game opens it waits in the pipe.
  fifo=$root/controller
  mkfifo "$fifo"
  exec {pad_fd}<> "$fifo"
  pad() { printf '%s\n' "$@" >&"$pad_fd"; }
  pad attach
  game_env=(MORTAVEL_TEST_CONTROLLER_SCRIPT="$fifo")
  # An empty name box enters under this name.
  name="名無し少尉"
  start_battle() { pad "tap start"; }
  started_by="Start on the title"
  # Bearing 20 degrees right, two D-pad steps with LB held (steps of 10);
  # elevation up about ten steps on the stick held for a second (a step when
  # pushed, then one each 100 ms at full tilt); then the turret turned to it,
  # which takes a second and a half, and firing waits for it.
  lay_gun() {
    pad "press leftshoulder" "tap dpright" "wait 150" "tap dpright" "release leftshoulder"
    sleep 0.5
    pad "axis lefty -32767"
    sleep 1
    pad "axis lefty 0"
    sleep 0.5
    pad "tap x"
    # The turn's message names the bearing and elevation laid.
    sleep 0.5
    shot 2-battle-laid
    sleep 2.5
  }
  fire() { pad "tap a"; }
  # The box opens with the focus in its text field, where A is OK.
  enter_name() {
    shot 4-name-left-empty
    pad "tap a"
  }
  # The title's focus starts on スタート: two steps down is ハイスコア.
  open_viewer() { pad "tap dpdown" "tap dpdown" "tap a"; }
  opened_by="A on the title's high-score button"
  try_cancel() { pad "tap b"; }
  cancelled_by="B"
  # One step up from the first control wraps round to 閉じる, the last.
  close_viewer() { pad "tap dpup" "tap a"; }
  closed_by="A on the viewer's close button"
  # The focus is back on ハイスコア: one step down is 終了.
  quit() { pad "tap dpdown" "tap a"; }
  quit_by="A on the title's quit button"
  ;;
esac

# The name's count in the file before the game: the installed lists may hold
# it already (the name of an empty entry does).
sjis_name=$(printf '%s' "$name" | iconv -f UTF-8 -t CP932)
names_before=$(LC_ALL=C grep -c -F "$sjis_name" "$scores" || true)

cd "$HOME"
export LANGUAGE=ja
env "${game_env[@]}" "$game" --language "$language" > "$out/game.log" 2>&1 &
game_pid=$!

title=$(wait_window '^Mortavel$' "$title_size" 30) || fail "the title screen did not appear"
sleep 2
shot 1-title
start_battle
battle=$(wait_window '^Mortavel$' "$battle_size" 30) || fail "$started_by did not start a battle"
wait_gone "$title" 10 || fail "the title screen stayed open during the battle"
started=$SECONDS
sleep 3
lay_gun
fire
sleep 2.5
shot 2-battle-fired

entry=$(wait_window "$entry_title" - 200) || fail "no ranking entry after the time limit"
[ $((SECONDS - started)) -ge 115 ] || fail "the battle ended after $((SECONDS - started)) s, before its 120 s"
sleep 1
shot 3-ranking-entry
enter_name

title=$(wait_window '^Mortavel$' "$title_size" 30) || fail "the title screen did not come back"
wait_gone "$battle" 15 || fail "the battle window stayed after the end"
sleep 2
shot 5-title-again
open_viewer
viewer=$(wait_window "$viewer_title" - 15) || fail "$opened_by did not open the high-score viewer"
sleep 1
shot 6-viewer
# The viewer has no cancel button: Esc (B) leaves it open, its close button
# closes it.
try_cancel
sleep 1
is_open "$viewer" || fail "$cancelled_by closed the viewer, which has no cancel button"
close_viewer
wait_gone "$viewer" 10 || fail "$closed_by did not close the viewer"
sleep 0.5
quit
for _ in $(seq 50); do
  kill -0 "$game_pid" 2> /dev/null || break
  sleep 0.2
done
kill -0 "$game_pid" 2> /dev/null && fail "$quit_by did not end the program"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# The score file: 120 CR LF lines, the name first in list (120 s, Normal),
# encoded in Shift-JIS.
[ "$(wc -l < "$scores")" -eq 120 ] || fail "the score file does not have 120 lines"
[ "$(grep -c $'\r$' "$scores")" -eq 120 ] || fail "the score file lines do not end in CR LF"
sjis_hex=$(printf '%s' "$sjis_name" | od -An -tx1 | tr -d ' \n')
line11=$(sed -n 11p "$scores" | od -An -tx1 | tr -d ' \n')
case "$line11" in
  "${sjis_hex}09"*) ;;
  *) fail "line 11 of the score file does not start with the name in Shift-JIS: $(sed -n 11p "$scores" | iconv -f CP932 -t UTF-8)" ;;
esac
points=$(sed -n 11p "$scores" | cut -f2)
[[ "$points" =~ ^[0-9]+$ ]] || fail "the new entry has no score: '$points'"
[ "$(sed -n 11,20p "$scores" | LC_ALL=C grep -c -F "$sjis_name")" -eq 1 ] \
  || fail "the name is in the list played other than once"
[ "$(LC_ALL=C grep -c -F "$sjis_name" "$scores")" -eq $((names_before + 1)) ] \
  || fail "the name was entered into other lists too"
grep -q "^ApplicationPath=$root$prefix/bin$" "$XDG_CONFIG_HOME/Mortavel/Mortavel.ini" \
  || fail "the title screen did not record the installed program folder"

decorated=
[ "$desktop" = wayland ] && decorated="; the game drew its own decorations ($(sway_decoration) px frame)"
echo "session complete on $desktop by $input: $name entered with $points points$decorated; screenshots in $out"
