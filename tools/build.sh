#!/usr/bin/env bash
# Builds DrvPurge.exe (32-bit) and, for running under the Wine that works here, the tests.
# Usage: tools/build.sh [build-dir]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
source "$root/tools/wine-env.sh"
wine_pick

cmake -S "$root" -B "$out/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DDRVPURGE_WERROR=ON -DDRVPURGE_BUILD_TESTS=$([ "$WINE_TARGET" = i686 ] && echo ON || echo OFF) >/dev/null
cmake --build "$out/i686" -j2
if [ "$WINE_TARGET" != i686 ]; then
  cmake -S "$root" -B "$out/$WINE_TARGET" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$WINE_TARGET.cmake" \
        -DDRVPURGE_WERROR=ON >/dev/null
  cmake --build "$out/$WINE_TARGET" -j2
fi
