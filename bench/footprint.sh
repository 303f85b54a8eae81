#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The running game's footprint under Xvfb: resident memory and processor
# share at the title screen (movie playing) and in an idle battle, and the
# time from start to the title window being mapped (median of several
# starts). Processor share is the process's user + system time over a
# sampling window, in percent of one core.
# Usage: bench/footprint.sh [BUILD_DIR]        (default: build)
# Environment: STARTS (5), SETTLE seconds before sampling (3), SAMPLE
# seconds of each sampling window (15).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
game="$build/bin/mortavel"
[ -x "$game" ] || { echo "no game at $game: build first" >&2; exit 1; }

if [ -z "${MORTAVEL_FOOTPRINT_DISPLAY:-}" ]; then
  for tool in xvfb-run xdotool xev stdbuf; do
    command -v "$tool" > /dev/null || { echo "$tool is needed (xvfb, xdotool, x11-utils, coreutils)" >&2; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24" env MORTAVEL_FOOTPRINT_DISPLAY=1 "$0" "$build"
fi

starts=${STARTS:-5}
settle=${SETTLE:-3}
sample=${SAMPLE:-15}
ticks=$(getconf CLK_TCK)

# Settings and rankings of its own: a long battle with the most ships, so
# that the battle is busy and still running when it is sampled.
root=$(mktemp -d)
game_pid=
xev_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null || true
  [ -n "$xev_pid" ] && kill "$xev_pid" 2> /dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/share"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Mortavel"
printf '[Config]\nEnemyMax=7\nGameLevel=1\nTimeLimit=210\n' > "$XDG_CONFIG_HOME/Mortavel/Mortavel.ini"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
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
gl_libraries() {
  local libs
  libs=$(grep -oE '(libLLVM|libGLX_[a-z]+|[a-z0-9_]+_dri)[^/ ]*\.so[^/ ]*$' "/proc/$1/maps" | sort -u | tr '\n' ' ')
  echo "${libs:-none}"
}
wait_window() {
  local name=$1 seconds=$2 id
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "$name" 2> /dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
stop_game() {
  kill "$game_pid" 2> /dev/null || true
  wait "$game_pid" 2> /dev/null || true
  game_pid=
}

# Start time: from just before the program starts to the X server mapping
# its first top-level window, the title. xev reports the map as it happens,
# so nothing polls while the game starts.
times=()
for _ in $(seq "$starts"); do
  coproc XEV { stdbuf -oL xev -root -event substructure; }
  xev_pid=$XEV_PID
  sleep 0.3
  t0=$EPOCHREALTIME
  "$game" > "$root/game.log" 2>&1 &
  game_pid=$!
  mapped=
  while IFS= read -r -t 30 line <&"${XEV[0]}"; do
    case "$line" in MapNotify*) mapped=$EPOCHREALTIME; break ;; esac
  done
  kill "$xev_pid" 2> /dev/null || true
  wait "$xev_pid" 2> /dev/null || true
  xev_pid=
  [ -n "$mapped" ] || { echo "the title window did not appear" >&2; tail "$root/game.log" >&2; exit 1; }
  times+=("$(awk -v a="$t0" -v b="$mapped" 'BEGIN { printf "%.0f", 1000 * (b - a) }')")
  wait_window '^Mortavel$' 10 > /dev/null || { echo "no title window" >&2; exit 1; }
  stop_game
  sleep 0.5
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')

# The title with its movie, then Enter for a battle left alone.
"$game" > "$root/game.log" 2>&1 &
game_pid=$!
title=$(wait_window '^Mortavel$' 30) || { echo "no title window" >&2; exit 1; }
sleep "$settle"
title_rss=$(rss_mb "$game_pid")
title_gl=$(gl_libraries "$game_pid")
title_cpu=$(cpu_share "$game_pid")

xdotool windowfocus --sync "$title" key Return
for _ in $(seq 100); do
  xdotool getwindowname "$title" > /dev/null 2>&1 || break
  sleep 0.1
done
xdotool getwindowname "$title" > /dev/null 2>&1 && { echo "Enter on the title did not start a battle" >&2; exit 1; }
wait_window '^Mortavel$' 10 > /dev/null || { echo "no battle window" >&2; exit 1; }
sleep "$settle"
battle_rss=$(rss_mb "$game_pid")
battle_cpu=$(cpu_share "$game_pid")
stop_game

printf 'start to title window: %s ms median of %s (%sms)\n' "$median" "$starts" "$sorted"
printf 'title:  resident %s MB, %s %% of one core, OpenGL drivers: %s\n' "$title_rss" "$title_cpu" "$title_gl"
printf 'battle: resident %s MB, %s %% of one core (idle, no input)\n' "$battle_rss" "$battle_cpu"
