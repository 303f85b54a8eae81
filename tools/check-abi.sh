#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that libVelPrgBar keeps the ABI of its soname.
#
# Builds VelPrgBar on its own (as a user of the library would get it) into
# build-abi/, installs it into build-abi/prefix, describes the ABI of the
# installed library and its public headers with abidw, and compares that with
# the committed baseline progressbar/abi/<release>/<soname>.abi with abidiff
# (Debian package abigail-tools). The library's ABI takes in Qt's own types,
# which differ between Qt 6.4 and 6.8, so each Debian release has its own
# baseline (debian-12, debian-13).
#
#   tools/check-abi.sh            check; fails on an incompatible change
#   tools/check-abi.sh --update   write the baseline of the current soname
#
# An incompatible change (a removed or changed function, a class that changes
# size or layout, a changed C structure, ...) fails unless the soname has been raised (the major
# version in progressbar/CMakeLists.txt), which makes a new library that no
# baseline speaks for yet: commit one for it with --update. Compatible changes
# (new functions) pass with a report; --update takes them into the baseline.
set -euo pipefail
cd "$(dirname "$0")/.."

update=0
case "${1:-}" in
  --update) update=1 ;;
  "") ;;
  *) echo "usage: $0 [--update]" >&2; exit 2 ;;
esac

for tool in abidw abidiff readelf; do
  command -v "$tool" > /dev/null || { echo "check-abi: $tool is missing (apt-get install abigail-tools binutils)" >&2; exit 2; }
done

build=${VELPRGBAR_ABI_BUILD:-build-abi}
# shellcheck disable=SC1091
release=$({ . /etc/os-release && echo "${ID:-}-${VERSION_ID:-}"; } 2> /dev/null) || true
[ "$release" != - ] && [ -n "$release" ] || release=unknown
baselines=progressbar/abi/$release

# The same build every time: optimised, with the debug information abidw reads.
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja > /dev/null && generator=(-G Ninja)
  cmake -S progressbar -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
cmake --build "$build" --target VelPrgBar > "$build/build.log" 2>&1 \
  || { cat "$build/build.log"; echo "check-abi: VelPrgBar does not build" >&2; exit 1; }
prefix=$build/prefix
rm -rf "$prefix"
for component in libvelprgbar1 libvelprgbar-dev; do
  cmake --install "$build" --prefix "$prefix" --component "$component" > /dev/null
done
library=$(find "$prefix" -name 'libVelPrgBar.so.*.*' -type f | head -n 1)
headers=$prefix/include/VelPrgBar
soname=$(readelf -d "$library" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ -n "$soname" ] || { echo "check-abi: $library has no soname" >&2; exit 1; }

# Only what the library exports and its public headers declare: the private
# class behind VelProgressBar's pointer stays opaque, so it may change freely.
# Newer libabigail (Debian 13) also describes what the library calls in
# other libraries: that is Qt's interface, not VelPrgBar's.
undefined=()
case "$(abidw --help 2>&1)" in
  *--no-load-undefined-interfaces*) undefined=(--no-load-undefined-interfaces) ;;
esac
dump() {
  abidw --exported-interfaces-only --drop-private-types "${undefined[@]}" --headers-dir "$headers" \
        --no-corpus-path --no-comp-dir-path --no-show-locs --type-id-style hash "$library"
}

baseline=$baselines/$soname.abi
current=$build/$soname.abi
dump > "$current"

if [ "$update" = 1 ]; then
  mkdir -p "$baselines"
  cp "$current" "$baseline"
  echo "check-abi: wrote $baseline"
  exit 0
fi

if [ ! -f "$baseline" ]; then
  older=$(find "$baselines" -name 'libVelPrgBar.so.*.abi' 2> /dev/null | sort -V | tail -n 1)
  if [ -n "$older" ]; then
    echo "check-abi: the soname is now $soname; $older describes an older one."
    echo "check-abi: an incompatible change is allowed with a new soname. Commit the new"
    echo "check-abi: baseline with: tools/check-abi.sh --update"
    exit 0
  fi
  echo "check-abi: no baseline $baseline for this system ($release); make one with tools/check-abi.sh --update" >&2
  exit 1
fi

# abidiff's status is a bit field: 1 error, 2 usage error, 4 ABI change,
# 8 incompatible change. It counts only removed symbols as incompatible, but
# for a C++ library a changed function or type (a class that grows, a
# parameter that changes) breaks programs built against it as surely. So,
# apart from additions, any change that abidiff does not itself rate
# harmless fails.
compare() {
  set +e
  abidiff --no-show-locs "$@" "$baseline" "$current" > "$build/abidiff.txt" 2>&1
  status=$?
  set -e
  if [ $((status & 3)) -ne 0 ]; then
    cat "$build/abidiff.txt"
    echo "check-abi: abidiff could not compare (status $status)" >&2
    exit 1
  fi
}
compare --no-added-syms
if [ $((status & 12)) -ne 0 ]; then
  cat "$build/abidiff.txt"
  echo "check-abi: FAIL: $soname changed incompatibly against $baseline."
  echo "check-abi: keep the old interface, or raise the soname (VelPrgBar's major version)."
  exit 1
fi
compare
if [ $((status & 4)) -ne 0 ]; then
  cat "$build/abidiff.txt"
  echo "check-abi: compatible additions to $soname; tools/check-abi.sh --update records them."
  exit 0
fi
echo "check-abi: $soname keeps the ABI of $baseline"
