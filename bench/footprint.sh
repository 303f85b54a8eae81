#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The running game's footprint on each desktop: resident memory and processor
# share at the title screen (movie playing) and in an idle battle, the OpenGL
# drivers it mapped at the title, and the time from start to the title window
# being mapped (median of several starts). Processor share is the process's
# user + system time over a sampling window, in percent of one core.
# Desktops: x11 is Xvfb (the map is xev's MapNotify); wayland is the game
# native on a private headless sway with the decorations Qt draws itself
# (tests/e2e/sway.sh; the map is sway's "new" window event, which comes with
# the window's first frame).
# Usage: bench/footprint.sh [BUILD_DIR] [DESKTOP...]   (default: build x11 wayland)
# Environment: STARTS (5), SETTLE seconds before sampling (3), SAMPLE
# seconds of each sampling window (15).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
shift || true
desktops=("$@")
[ ${#desktops[@]} -gt 0 ] || desktops=(x11 wayland)
game="$build/bin/mortavel"
[ -x "$game" ] || { echo "no game at $game: build first" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
for desktop in "${desktops[@]}"; do
  case "$desktop" in
  x11)
    for tool in Xvfb xdotool xev stdbuf; do
      command -v "$tool" > /dev/null || { echo "$tool is needed (xvfb, xdotool, x11-utils, coreutils)" >&2; exit 1; }
    done
    ;;
  wayland) ;;
  *) echo "unknown desktop $desktop (x11 or wayland)" >&2; exit 1 ;;
  esac
done

starts=${STARTS:-5}
settle=${SETTLE:-3}
sample=${SAMPLE:-15}
ticks=$(getconf CLK_TCK)

# Settings and rankings of its own: a long battle with the most ships, so
# that the battle is busy and still running when it is sampled.
root=$(mktemp -d)
game_pid=
watch_pid=
xvfb_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null
  [ -n "$watch_pid" ] && kill "$watch_pid" 2> /dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
  [ "$(type -t sway_stop)" = function ] && sway_stop
  rm -rf "$root"
  return 0
}
trap cleanup EXIT
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/share"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Mortavel"
printf '[Config]\nEnemyMax=7\nGameLevel=1\nTimeLimit=210\n' > "$XDG_CONFIG_HOME/Mortavel/Mortavel.ini"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_WAYLAND_DISABLE_WINDOWDECORATION QT_WAYLAND_DECORATION XDG_CURRENT_DESKTOP
cd "$HOME"

rss_mb() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Percent of one core over the next $sample seconds.
cpu_share() {
  local before after t0 t1
  before=$(cpu_ticks "$1")
  t0=$EPOCHREALTIME
  sleep "$sample"
  after=$(cpu_ticks "$1")
  t1=$EPOCHREALTIME
  awk -v d=$((after - before)) -v hz="$ticks" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", 100 * d / hz / (b - a) }'
}
# Mesa's drivers and what they pull in, not the GL dispatch libraries
# (libGL, libEGL, libGLX, libOpenGL) that Qt links whatever it renders with.
gl_libraries() {
  local libs
  libs=$(grep -oE '(libLLVM|libgallium|libGLX_[a-z]+|libEGL_[a-z]+|[a-z0-9_]+_dri|libvulkan_[a-z]+|libglapi)[^/ ]*\.so[^/ ]*$' "/proc/$1/maps" | sort -u | tr '\n' ' ')
  echo "${libs:-none}"
}
# What playing two WAV files must never bring in: a media framework.
media_libraries() {
  local libs
  libs=$(grep -oE '(libavcodec|libavformat|libQt6Quick|libQt6Qml|libQt6Multimedia|libgst[a-z]*)[^/ ]*\.so' "/proc/$1/maps" | sort -u | tr '\n' ' ')
  echo "${libs:-none}"
}
stop_game() {
  kill "$game_pid" 2> /dev/null || true
  wait "$game_pid" 2> /dev/null || true
  game_pid=
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The desktop's part, set up by use_x11 or use_wayland:
# watch_maps starts a watcher whose output (fd of the coproc MAPS) gives a
# line matching $map_line when the first window is mapped; find_title waits
# for the title window and prints its id; start_battle ID presses Enter in it
# and waits for the title to go and the battle window to be there.
use_x11() {
  local fd_file="$root/x11.display" _
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$fd_file" 2> "$root/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$fd_file" ] && break; sleep 0.1; done
  [ -s "$fd_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(cat "$fd_file")" QT_QPA_PLATFORM=xcb
  map_line='^MapNotify'
  watch_maps() {
    coproc MAPS { stdbuf -oL xev -root -event substructure; }
    watch_pid=$MAPS_PID
  }
  x11_window() {
    local deadline=$((SECONDS + $1)) id
    while [ "$SECONDS" -lt "$deadline" ]; do
      id=$(xdotool search --onlyvisible --name '^Mortavel$' 2> /dev/null | head -1) || true
      [ -n "$id" ] && { echo "$id"; return 0; }
      sleep 0.1
    done
    return 1
  }
  find_title() { x11_window 30; }
  start_battle() {
    local _
    xdotool windowfocus --sync "$1" key Return
    for _ in $(seq 100); do
      xdotool getwindowname "$1" > /dev/null 2>&1 || break
      sleep 0.1
    done
    xdotool getwindowname "$1" > /dev/null 2>&1 && return 1
    x11_window 10 > /dev/null
  }
}
done_x11() {
  kill "$xvfb_pid" 2> /dev/null || true
  wait "$xvfb_pid" 2> /dev/null || true
  xvfb_pid=
  unset DISPLAY QT_QPA_PLATFORM
}

use_wayland() {
  # shellcheck source=../tests/e2e/sway.sh
  . "$here/../tests/e2e/sway.sh"
  sway_start >&2 || exit 1
  sway_learn_decoration "$game" >&2 || exit 1
  export QT_QPA_PLATFORM=wayland
  map_line='"change": *"new"'
  watch_maps() {
    coproc MAPS { swaymsg -r -m -t subscribe '["window"]'; }
    watch_pid=$MAPS_PID
  }
  find_title() { sway_wait_window '^Mortavel$' 427x326 30 "$game_pid"; }
  start_battle() {
    sway_key "$1" Return || return 1
    sway_wait_gone "$1" 10 || return 1
    sway_wait_window '^Mortavel$' 520x410 10 "$game_pid" > /dev/null
  }
}
done_wayland() {
  sway_stop
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# Sets result: start median, the starts sorted, title MB, title %, battle
# MB, battle %, then the drivers.
measure() {
  local times=() t0 mapped line title
  # Start time: from just before the program starts to its first top-level
  # window, the title, being mapped. The watcher reports the map as it
  # happens, so nothing polls while the game starts.
  for _ in $(seq "$starts"); do
    watch_maps
    sleep 0.3
    t0=$EPOCHREALTIME
    "$game" > "$root/game.log" 2>&1 &
    game_pid=$!
    mapped=
    while IFS= read -r -t 30 line <&"${MAPS[0]}"; do
      [[ "$line" =~ $map_line ]] && { mapped=$EPOCHREALTIME; break; }
    done
    kill "$watch_pid" 2> /dev/null || true
    wait "$watch_pid" 2> /dev/null || true
    watch_pid=
    [ -n "$mapped" ] || { echo "the title window did not appear" >&2; tail "$root/game.log" >&2; exit 1; }
    times+=("$(awk -v a="$t0" -v b="$mapped" 'BEGIN { printf "%.0f", 1000 * (b - a) }')")
    find_title > /dev/null || { echo "no title window" >&2; exit 1; }
    stop_game
    sleep 0.5
  done

  # The title with its movie, then Enter for a battle left alone.
  "$game" > "$root/game.log" 2>&1 &
  game_pid=$!
  title=$(find_title) || { echo "no title window" >&2; exit 1; }
  sleep "$settle"
  local title_rss title_gl title_cpu battle_rss battle_cpu
  title_rss=$(rss_mb "$game_pid")
  title_gl=$(gl_libraries "$game_pid")
  title_cpu=$(cpu_share "$game_pid")
  start_battle "$title" || { echo "Enter on the title did not start a battle" >&2; exit 1; }
  sleep "$settle"
  battle_rss=$(rss_mb "$game_pid")
  battle_cpu=$(cpu_share "$game_pid")
  battle_media=$(media_libraries "$game_pid")
  # The sound server the game reaches, if any (pulseaudio or pipewire-pulse).
  battle_streams=$(pactl list short sink-inputs 2> /dev/null | wc -l || echo "no server")
  stop_game
  result="$(median "${times[@]}") $(printf '%s\n' "${times[@]}" | sort -n | paste -sd,) $title_rss $title_cpu $battle_rss $battle_cpu $title_gl"
}

results=() sound=()
for desktop in "${desktops[@]}"; do
  "use_$desktop"
  measure
  results+=("$desktop $result")
  sound+=("$desktop: server streams in the battle: $battle_streams; media libraries mapped: $battle_media")
  "done_$desktop"
done

printf '%-8s %-28s %-16s %-18s %s\n' desktop "start to title, ms" "title MB, %" "idle battle MB, %" "OpenGL drivers at the title"
for result in "${results[@]}"; do
  read -r desktop start sorted title_rss title_cpu battle_rss battle_cpu title_gl <<< "$result"
  printf '%-8s %-28s %-16s %-18s %s\n' "$desktop" "$start ($sorted)" "$title_rss, $title_cpu" \
    "$battle_rss, $battle_cpu" "$title_gl"
done
echo "(median of $starts starts; processor share in % of one core over $sample s)"
printf '%s\n' "${sound[@]}"
