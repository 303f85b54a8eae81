# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# A private headless Wayland desktop for driving the game, sourced by the
# end-to-end checks and bench/footprint.sh: sway's headless backend with the
# pixman renderer, its own runtime folder (mode 700), keys through wtype's
# virtual keyboard, screenshots through grim. Every window is told to draw
# its own decorations, so Qt draws its title bar and frame inside the window
# as it does under GNOME and weston; sway floats the game's windows by
# itself, as they have fixed sizes or a parent.
#
# sway_start           starts it; exports WAYLAND_DISPLAY (the socket's full
#                      path), SWAYSOCK and XDG_RUNTIME_DIR (a private one for
#                      the clients beside sway's own; sway's log is
#                      $SWAY_LOG)
# sway_stop            ends it and removes the folder; call it from the
#                      caller's EXIT trap too
# sway_learn_decoration COMMAND...
#                      starts the game once to learn the size of the frame Qt
#                      draws around a window (see below); call it before
#                      waiting for windows
# sway_decoration      prints that size as "WIDTHxHEIGHT" (frame less client
#                      area)
# sway_windows         one line per mapped window: CON_ID PID X Y
#                      FRAME_WIDTH FRAME_HEIGHT FIRST_WIDTH FIRST_HEIGHT
#                      BORDER NAME (FIRST: the size it was first shown at,
#                      before Qt added its frame)
# sway_wait_window NAME_RE SIZE SECONDS [PID]
#                      prints the con id of the window whose name matches,
#                      that wears Qt's frame, and whose client area is SIZE
#                      ("-": any); PID, when given, must stay alive
# sway_wait_gone ID SECONDS
# sway_key ID KEY...   focuses the window and presses each KEY (xdotool
#                      names: Return, Escape, alt+h)
# sway_type ID TEXT    focuses the window and types TEXT, 60 ms a key
# sway_put_clipboard TEXT
#                      makes TEXT the clipboard's content (wl-copy)
# sway_clipboard       prints the clipboard's text (wl-paste)
# sway_shot FILE       the whole output as PNG
#
# sway asks for client-side decorations only once a window is shown, and in
# the same configure tells it the size it was shown at. Qt 6.4 keeps its
# client area and grows the frame around it; Qt 6.8 takes the size for the
# whole frame and cuts its client area, which no desktop that decorates
# from the start (GNOME, weston) does. So the frame's size is learned from
# the window geometry Qt itself sets once decorated, and a window that stays
# at its first size is resized to first size plus frame.

SWAY_LOG=
sway_pid_=
sway_keyboard_pid_=
sway_dir_=

sway_start() {
  local dir tool
  for tool in sway swaymsg wtype grim wl-copy wl-paste setpriv /usr/bin/python3; do
    command -v "$tool" > /dev/null || { echo "FAIL: $tool is needed (sway, wtype, grim, wl-clipboard, util-linux, python3)"; return 1; }
  done
  # Not inside the caller's private folder: sway may run as another user.
  sway_dir_=$(mktemp -d /tmp/mortavel-sway.XXXXXX)
  chmod 711 "$sway_dir_"
  dir=$sway_dir_/sway
  mkdir -m 700 "$dir" "$sway_dir_/client"
  SWAY_LOG=$sway_dir_/sway.log
  cat > "$dir/sway.conf" << 'EOF'
output HEADLESS-1 resolution 1024x768 position 0 0
swaybg_command -
xwayland disable
focus_on_window_activation focus
for_window [app_id=".*"] border csd
EOF
  # sway refuses to run as root; the nobody account owns its runtime folder
  # then. The game, swaymsg, wtype and grim reach it as root all the same,
  # with a runtime folder of their own that they own.
  local as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody: "$dir" "$dir/sway.conf"
    as=(--reuid=nobody --regid="$(id -gn nobody)" --clear-groups)
  fi
  # The parent-death signal takes sway down with the check, even when the
  # check is killed outright by a test timeout.
  env -u WAYLAND_DISPLAY -u DISPLAY -u SWAYSOCK HOME="$dir" XDG_RUNTIME_DIR="$dir" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv "${as[@]}" --pdeathsig KILL sway -c "$dir/sway.conf" > "$SWAY_LOG" 2>&1 &
  sway_pid_=$!
  local socket='' ipc='' _
  for _ in $(seq 100); do
    for socket in "$dir"/wayland-[0-9]*; do [ -S "$socket" ] && break; socket=''; done
    for ipc in "$dir"/sway-ipc.*.sock; do [ -S "$ipc" ] && break; ipc=''; done
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    kill -0 "$sway_pid_" 2> /dev/null || break
    sleep 0.1
  done
  if [ -z "$socket" ] || [ -z "$ipc" ]; then
    echo "FAIL: sway did not start"
    tail -5 "$SWAY_LOG"
    return 1
  fi
  export WAYLAND_DISPLAY=$socket SWAYSOCK=$ipc XDG_RUNTIME_DIR=$sway_dir_/client
  unset DISPLAY
  swaymsg -t get_version > /dev/null || { echo "FAIL: sway does not answer on $ipc"; return 1; }
  # A keyboard for the whole session: with none, the seat has no keyboard
  # between two wtype calls, every window loses its activation and the first
  # key of the next call is lost. It goes with the check too.
  setpriv --pdeathsig KILL wtype -s 86400000 &
  sway_keyboard_pid_=$!
  for _ in $(seq 50); do
    swaymsg -t get_seats | grep -q '"type": "keyboard"' && return 0
    sleep 0.1
  done
  echo "FAIL: the virtual keyboard did not join the seat"
  return 1
}

sway_stop() {
  [ -n "$sway_keyboard_pid_" ] && kill "$sway_keyboard_pid_" 2> /dev/null
  [ -n "$sway_pid_" ] && kill "$sway_pid_" 2> /dev/null
  [ -n "$sway_pid_" ] && wait "$sway_pid_" 2> /dev/null
  [ -n "$sway_dir_" ] && rm -rf "$sway_dir_"
  sway_pid_=
  sway_keyboard_pid_=
  sway_dir_=
  return 0
}

sway_learn_decoration() {
  local log="$sway_dir_/probe.log" pid sizes w h dw dh _
  WAYLAND_DEBUG=client QT_QPA_PLATFORM=wayland "$@" > /dev/null 2> "$log" &
  pid=$!
  # The window geometries it sets: its client area first, then, decorated,
  # the frame (libwayland writes object@id or object#id by version).
  for _ in $(seq 150); do
    sizes=$(grep -oE 'xdg_surface[@#][0-9]+\.set_window_geometry\(-?[0-9]+, -?[0-9]+, [0-9]+, [0-9]+\)' "$log" \
      | sed -E 's/.*, ([0-9]+), ([0-9]+)\)$/\1 \2/' | uniq) || true
    [ "$(grep -c . <<< "$sizes")" -ge 2 ] && break
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
  done
  kill "$pid" 2> /dev/null
  wait "$pid" 2> /dev/null
  read -r w h <<< "$(head -1 <<< "$sizes")"
  dw=0
  dh=0
  [ -n "$w" ] && read -r dw dh <<< "$(awk -v w="$w" -v h="$h" \
    '$1 - w > dw { dw = $1 - w } $2 - h > dh { dh = $2 - h } END { print dw + 0, dh + 0 }' <<< "$sizes")"
  if [ "$dh" -le 0 ]; then
    echo "FAIL: Qt drew no decorations of its own under sway (window geometries: $(tr '\n' ' ' <<< "$sizes"))"
    return 1
  fi
  echo "${dw}x${dh}" > "$sway_dir_/decoration"
}

sway_decoration() {
  cat "$sway_dir_/decoration" 2> /dev/null || true
}

sway_windows() {
  swaymsg -r -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
    if node.get("pid") and node.get("visible"):
        r, g = node["rect"], node["geometry"]
        print(node["id"], node["pid"], r["x"], r["y"], r["width"], r["height"],
              g["width"], g["height"], node.get("border"), node.get("name") or "")
walk(json.load(sys.stdin))'
}

sway_wait_window() {
  local name=$1 size=$2 seconds=$3 pid=${4:-}
  local deadline=$((SECONDS + seconds)) decoration dw dh
  local id w h fw fh border title bare='' seen_bare=''
  decoration=$(sway_decoration)
  [ -n "$decoration" ] || { echo "sway_wait_window: no decoration learned" >&2; return 1; }
  dw=${decoration%x*}
  dh=${decoration#*x}
  while [ "$SECONDS" -lt "$deadline" ]; do
    bare=
    while read -r id _ _ _ w h fw fh border title; do
      [[ "$title" =~ $name ]] && [ "$border" = csd ] || continue
      if [ "$w" -eq "$fw" ] && [ "$h" -eq "$fh" ]; then
        # Still at its first size: give it room for its frame if it keeps it.
        if [[ " $seen_bare " == *" $id "* ]]; then
          swaymsg "[con_id=$id] resize set $((fw + dw)) px $((fh + dh)) px" > /dev/null
        fi
        bare+=" $id"
        continue
      fi
      if [ "$size" = - ] || [ "$((w - dw))x$((h - dh))" = "$size" ]; then
        echo "$id"
        return 0
      fi
    done < <(sway_windows)
    seen_bare=$bare
    if [ -n "$pid" ]; then kill -0 "$pid" 2> /dev/null || return 1; fi
    sleep 0.2
  done
  return 1
}

sway_wait_gone() {
  local id=$1 seconds=$2
  local deadline=$((SECONDS + seconds))
  while sway_windows | grep -q "^$id "; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

sway_focus() {
  swaymsg "[con_id=$1] focus" > /dev/null || return 1
  sleep 0.2
}

sway_key() {
  local id=$1 key mods args
  shift
  sway_focus "$id" || return 1
  for key in "$@"; do
    args=()
    mods=()
    while [[ "$key" == *+* ]]; do
      mods+=("${key%%+*}")
      key=${key#*+}
    done
    for m in "${mods[@]}"; do args+=(-M "$m"); done
    args+=(-k "$key")
    for m in "${mods[@]}"; do args+=(-m "$m"); done
    wtype "${args[@]}" || return 1
  done
}

sway_type() {
  sway_focus "$1" || return 1
  wtype -d 60 -- "$2"
}

# Through sway's data-control protocol, so neither needs a window or focus.
# wl-copy stays behind to serve the text until someone else takes it.
sway_put_clipboard() {
  if [ -z "$1" ]; then
    wl-copy --clear > /dev/null 2>&1
  else
    printf '%s' "$1" | wl-copy > /dev/null 2>&1
  fi
}

sway_clipboard() {
  wl-paste --no-newline 2> /dev/null
}

sway_shot() {
  grim "$1"
}
