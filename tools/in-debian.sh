#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a copy of this checkout inside another Debian release,
# as root with CI=true: by default the README's test command.
#
#   tools/in-debian.sh SUITE [COMMAND [ARGS...]]   (as root; default tools/run-tests.sh)
#
# SUITE is a codename: trixie (Debian 13), forky (testing) or sid.
# The system lives in /var/lib/mortavel-ci/SUITE and is kept between runs,
# with its packages and the copy's build folders, so a second run only
# installs and rebuilds what changed. It is made with debootstrap from the
# archive the machine's apt uses, and made again when it is missing or
# broken. /proc, /sys, /dev (with /dev/pts), a private /dev/shm, /run and
# /tmp are mounted for the command and always unmounted afterwards, also when
# it fails or is interrupted; processes it leaves behind are ended. The
# set-up (tools/setup.sh) runs first, with the network; the command runs
# without it.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
suite=${1:-}
case "$suite" in
  bookworm | trixie) rolling=no ;;
  forky | sid) rolling=yes ;;
  *)
    echo "usage: tools/in-debian.sh bookworm|trixie|forky|sid [COMMAND [ARGS...]]" >&2
    exit 2
    ;;
esac
shift
root=/var/lib/mortavel-ci/$suite
# Compiled objects kept across runs and shared by the releases' chroots (the
# compiler's version is part of ccache's key, so they never mix).
ccache_dir=/var/lib/mortavel-ci/ccache
# Written only once debootstrap and the first configuration succeeded: an
# interrupted debootstrap leaves a tree without it, which is then made anew.
marker=$root/var/lib/mortavel-ci-complete
copy=/srv/mortavel

if [ "$(id -u)" -ne 0 ]; then
  echo "in-debian: needs root (debootstrap, mount, chroot)" >&2
  exit 1
fi
for tool in debootstrap chroot findmnt flock git unshare; do
  command -v "$tool" > /dev/null || { echo "in-debian: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
[ $# -gt 0 ] || set -- tools/run-tests.sh

mkdir -p "$(dirname "$root")"
exec 9> "$root.lock"
if ! flock -n 9; then
  echo "in-debian: another run uses $root; waiting for it"
  flock 9
fi

# The first deb line of the machine's apt sources that is not the security
# archive (deb822 .sources or one-line sources.list).
archive_url() {
  local f url=''
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    url=$(awk 'BEGIN { RS = ""; FS = "\n" }
      { types = ""; uris = ""; suites = ""; enabled = "yes"
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^Types:/) types = $i
          if ($i ~ /^URIs:/) uris = $i
          if ($i ~ /^Suites:/) suites = $i
          if ($i ~ /^Enabled:[ \t]*no/) enabled = "no"
        }
        if (enabled == "yes" && types ~ /[: \t]deb([ \t]|$)/ && suites !~ /-security/ && uris != "") {
          sub(/^URIs:[ \t]*/, "", uris); split(uris, u, /[ \t]+/); print u[1]; exit
        } }' "$f")
    [ -n "$url" ] && break
  done
  if [ -z "$url" ]; then
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      url=$(awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                               if ($(i + 1) !~ /-security/) { print $i; exit } }' "$f")
      [ -n "$url" ] && break
    done
  fi
  case "$url" in
    http://* | https://*) echo "${url%/}" ;;
    *) echo http://deb.debian.org/debian ;;
  esac
}

# The security archive the machine uses, if any, for SUITE-security.
security_url() {
  { grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources
    grep -hE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list
  } 2> /dev/null | grep -oE 'https?://[^ ]*debian-security' | head -n 1 || true
}

mounts_inside() {
  findmnt -rn -o TARGET | awk -v r="$root" 'index($0, r "/") == 1' | sort -r
}

# Ends what is still running inside (a sound server, an X server a test left
# behind), then unmounts from the deepest mount up. Lazily: a process that
# just ended may still hold a file open for a moment.
release_root() {
  local p pids=() m
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2> /dev/null)" = "$root" ] && pids+=("${p#/proc/}")
  done
  if [ ${#pids[@]} -gt 0 ]; then
    echo "in-debian: ending ${#pids[@]} process(es) left in the chroot"
    kill -TERM "${pids[@]}" 2> /dev/null || true
    sleep 2
    kill -KILL "${pids[@]}" 2> /dev/null || true
  fi
  while read -r m; do
    if [ -n "$m" ]; then umount -l "$m" 2> /dev/null || true; fi
  done < <(mounts_inside)
  if [ -n "$(mounts_inside)" ]; then
    echo "in-debian: could not unmount: $(mounts_inside | tr '\n' ' ')" >&2
    return 1
  fi
}

# sid calls itself by testing's codename, so a rolling suite is known by
# debian_version's "/sid" instead.
is_suite() {
  if [ "$rolling" = yes ]; then
    grep -q '/sid$' "$root/etc/debian_version" 2> /dev/null
  else
    grep -qx "VERSION_CODENAME=$suite" "$root/etc/os-release" 2> /dev/null
  fi
}

healthy() {
  [ -f "$marker" ] && [ -x "$root/usr/bin/apt-get" ] && [ -x "$root/bin/bash" ] \
    && is_suite && chroot "$root" /bin/true 2> /dev/null
}

make_root() {
  local url security log script
  url=$(archive_url)
  security=$(security_url)
  release_root
  if [ -e "$root" ]; then
    echo "in-debian: $root is incomplete or broken; making it again"
    rm -rf --one-file-system "$root"
  fi
  # An older debootstrap has no script for the newest codename; sid's
  # bootstraps testing as well.
  script=()
  if [ "$rolling" = yes ] && [ ! -e "/usr/share/debootstrap/scripts/$suite" ]; then
    script=(/usr/share/debootstrap/scripts/sid)
  fi
  echo "in-debian: debootstrap --variant=minbase $suite $root $url ${script[*]}"
  log=$(mktemp)
  if ! debootstrap --variant=minbase "$suite" "$root" "$url" "${script[@]}" > "$log" 2>&1; then
    tail -n 30 "$log"
    rm -f "$log"
    echo "in-debian: debootstrap failed" >&2
    return 1
  fi
  rm -f "$log"
  if [ "$rolling" = yes ]; then
    # Testing and sid get their fixes in the suite itself.
    echo "deb $url $suite main" > "$root/etc/apt/sources.list"
    # The archive here may be a dated copy, and testing's and sid's Release
    # files expire within days (stable's do not): without this apt refuses
    # the copy as soon as its Valid-Until has passed.
    echo 'Acquire::Check-Valid-Until "false";' > "$root/etc/apt/apt.conf.d/99mortavel-ci-no-valid-until"
  else
    {
      echo "deb $url $suite main"
      echo "deb $url $suite-updates main"
      [ -n "$security" ] && echo "deb $security $suite-security main"
    } > "$root/etc/apt/sources.list"
  fi
  # Packages install without starting services: nothing runs in the chroot
  # but the command.
  printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
  touch "$marker"
}

cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  release_root || status=1
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Whatever a killed run left mounted or running goes first.
release_root
healthy || make_root

mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
mount -t tmpfs -o mode=755,nosuid,nodev run "$root/run"
mount -t tmpfs -o mode=1777,nosuid,nodev tmp "$root/tmp"
mkdir -p "$ccache_dir" "$root/var/cache/mortavel-ccache"
mount --bind "$ccache_dir" "$root/var/cache/mortavel-ccache"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# A package install that was interrupted last time is finished first.
chroot "$root" /usr/bin/dpkg --configure -a

# The tracked files of this checkout, copied (the machine's own build
# folders stay out). A file whose content did not change keeps its time, so
# the kept build folders rebuild only what changed.
dst=$root$copy
mkdir -p "$dst"
tracked=$(mktemp)
present=$(mktemp)
(cd "$src" && git ls-files -z --cached) > "$tracked"
while IFS= read -r -d '' f; do
  from=$src/$f to=$dst/$f
  [ -e "$from" ] || [ -L "$from" ] || continue
  if [ -L "$from" ] || [ -L "$to" ]; then
    [ "$(readlink "$from")" = "$(readlink "$to" 2> /dev/null)" ] && continue
  elif [ -f "$to" ] && cmp -s "$from" "$to" \
       && [ "$([ -x "$from" ] && echo x)" = "$([ -x "$to" ] && echo x)" ]; then
    continue
  fi
  mkdir -p "$(dirname "$to")"
  rm -rf "$to"
  cp -P --preserve=mode "$from" "$to"
done < "$tracked"
# What the checkout no longer tracks goes, except the build folders.
tr '\0' '\n' < "$tracked" | sort > "$present.tracked"
(cd "$dst" && find . -path './build*' -prune -o \( -type f -o -type l \) -print | sed 's,^\./,,' | sort) > "$present"
comm -13 "$present.tracked" "$present" | while IFS= read -r f; do rm -f "$dst/$f"; done
find "$dst" -mindepth 1 -depth -type d -empty ! -path "$dst/build*" -delete
rm -f "$tracked" "$present" "$present.tracked"

in_chroot() {
  chroot "$root" /usr/bin/env -i \
    HOME=/root USER=root LOGNAME=root SHELL=/bin/bash TERM="${TERM:-dumb}" LANG=C.UTF-8 CI=true \
    CCACHE_DIR=/var/cache/mortavel-ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache \
    MORTAVEL_CI_STEPS="${MORTAVEL_CI_STEPS:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c 'cd "$0" && exec "$@"' "$copy" "$@"
}

# Packages come from the network, so the set-up runs first; the command
# then gets a network namespace of its own (loopback only). X servers and
# other abstract sockets are per network namespace: without it an Xvfb in
# the chroot would meet one on the machine at the same display number.
echo "in-debian: tools/setup.sh in Debian $(cat "$root/etc/debian_version") ($root)"
status=0
in_chroot tools/setup.sh 9>&- &
wait $! || status=$?
if [ "$status" -ne 0 ]; then
  echo "in-debian: tools/setup.sh failed in the chroot (exit $status)" >&2
  exit "$status"
fi
echo "in-debian: running $* (no network)"
export -f in_chroot
export root copy MORTAVEL_CI_STEPS
unshare --net -- bash -c '{ ip link set lo up || true; } 2> /dev/null; in_chroot "$@"' in-netns "$@" 9>&- &
wait $! || status=$?
exit "$status"
