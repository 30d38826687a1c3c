#!/usr/bin/env bash
# Builds DrvPurge.exe (32-bit) with its tests, helper programs and benchmarks in
# build-dir/i686; with DRVPURGE_WINE=64 (the developer mode) also the same sources as
# 64-bit programs in build-dir/x86_64.
# Usage: tools/build.sh [build-dir]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
source "$root/tools/wine-env.sh"
wine_pick

for target in i686 $([ "$WINE_TARGET" = x86_64 ] && echo x86_64); do
  cmake -S "$root" -B "$out/$target" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$target.cmake" \
        -DDRVPURGE_WERROR=ON >/dev/null
  cmake --build "$out/$target" -j"$(nproc)"
done
