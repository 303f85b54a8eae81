#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs VelPrgBar's library and development files into a throw-away prefix
# and builds the manual's examples (progressbar/examples/consumer) against
# it, once with find_package and once with pkg-config, as C++17 (the C part
# as C99), then runs them headless.
# Usage: check-consumers.sh BUILD_DIR EXAMPLES_DIR
set -euo pipefail
build=$1
examples=$2/consumer

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/prefix
for component in libvelprgbar1 libvelprgbar-dev; do
  cmake --install "$build" --prefix "$prefix" --component "$component" > /dev/null
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export QT_QPA_PLATFORM=offscreen

# Only the public headers, and each compiles on its own as C++17 (the C
# interface also as C99).
headers=$(cd "$prefix/include/VelPrgBar" && ls | sort | tr '\n' ' ')
[ "$headers" = "VelPrgBarApi.h VelPrgBarVersion.h VelProgressBar.h velprgbar_export.h " ] \
  || fail "installed headers are: $headers"
qt_cflags=$(pkg-config --cflags Qt6Widgets)
for h in "$prefix"/include/VelPrgBar/*.h; do
  # shellcheck disable=SC2086
  echo "#include <$(basename "$h")>" | c++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only \
    -I"$prefix/include/VelPrgBar" $qt_cflags -x c++ - \
    || fail "$(basename "$h") does not compile as C++17"
done
echo '#include <VelPrgBarApi.h>' | cc -std=c99 -pedantic -Wall -Wextra -Werror -fsyntax-only \
  -I"$prefix/include/VelPrgBar" -x c - || fail "VelPrgBarApi.h does not compile as C99"

# find_package(VelPrgBar 1): the examples' own CMake project.
if cmake -S "$examples" -B "$root/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
     -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > "$root/cmake.log" 2>&1 \
   && cmake --build "$root/cmake" >> "$root/cmake.log" 2>&1; then
  # Nothing in the package may raise the standard the program asked for.
  grep -q -- '-std=c++17' "$root/cmake/compile_commands.json" \
    || fail "the CMake example was not compiled as C++17"
  if grep -q -- '-std=c++2\|-std=gnu++2' "$root/cmake/compile_commands.json"; then
    fail "VelPrgBar::VelPrgBar raised the example's C++ standard"
  fi
  "$root/cmake/reload-gauge" > "$root/run.log" 2>&1 && grep -qx '100.0%' "$root/run.log" \
    || { cat "$root/run.log"; fail "reload-gauge (find_package) did not fill its gauge"; }
  "$root/cmake/c-host" > "$root/run.log" 2>&1 && grep -qx 'caption 50/50' "$root/run.log" \
    || { cat "$root/run.log"; fail "c-host (find_package) did not run its gauge"; }
else
  cat "$root/cmake.log"
  fail "the examples do not build with find_package(VelPrgBar)"
fi

# The package's version rule: any 1.x, never 2.
mkdir -p "$root/version"
cat > "$root/version/CMakeLists.txt" << 'EOF'
cmake_minimum_required(VERSION 3.22)
project(version_check LANGUAGES CXX)
find_package(VelPrgBar 1.0 REQUIRED)
find_package(VelPrgBar 2 QUIET)
if(VelPrgBar_FOUND)
  message(FATAL_ERROR "VelPrgBar 1 answered a request for version 2")
endif()
EOF
cmake -S "$root/version" -B "$root/version/build" -DCMAKE_PREFIX_PATH="$prefix" \
  > "$root/version.log" 2>&1 || { cat "$root/version.log"; fail "VelPrgBarConfigVersion.cmake"; }

# pkg-config: the same sources with the flags it gives.
pc=$(find "$prefix" -name VelPrgBar.pc)
if [ -z "$pc" ]; then
  fail "no VelPrgBar.pc installed"
else
  export PKG_CONFIG_PATH
  PKG_CONFIG_PATH=$(dirname "$pc")
  grep -qx "prefix=$prefix" "$pc" || fail "VelPrgBar.pc does not name the prefix it was installed to"
  read -r -a flags <<< "$(pkg-config --cflags --libs VelPrgBar)"
  read -r -a cflags <<< "$(pkg-config --cflags VelPrgBar)"
  libdir=$(pkg-config --variable=libdir VelPrgBar)
  out=$root/pc
  mkdir -p "$out"
  if c++ -std=c++17 -Wall -Wextra -Werror "$examples/reload-gauge.cpp" "${flags[@]}" \
       -o "$out/reload-gauge" \
     && cc -std=c99 -Wall -Wextra -Werror -c "$examples/c-host/gauge.c" "${cflags[@]}" \
       -o "$out/gauge.o" \
     && c++ -std=c++17 -Wall -Wextra -Werror "$examples/c-host/host.cpp" "$out/gauge.o" \
       "${flags[@]}" -o "$out/c-host"; then
    LD_LIBRARY_PATH=$libdir "$out/reload-gauge" > "$root/run.log" 2>&1 \
      && grep -qx '100.0%' "$root/run.log" \
      || { cat "$root/run.log"; fail "reload-gauge (pkg-config) did not fill its gauge"; }
    LD_LIBRARY_PATH=$libdir "$out/c-host" > "$root/run.log" 2>&1 \
      && grep -qx 'caption 50/50' "$root/run.log" \
      || { cat "$root/run.log"; fail "c-host (pkg-config) did not run its gauge"; }
  else
    fail "the examples do not build with pkg-config --cflags --libs VelPrgBar"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures problem(s) for programs using the installed VelPrgBar"
  exit 1
fi
echo "the examples build and run against the installed VelPrgBar (find_package and pkg-config)"
