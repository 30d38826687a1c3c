#!/usr/bin/env bash
# Builds DrvPurge.exe (32-bit) with its tests, helper programs and benchmarks in
# build-dir/i686; with DRVPURGE_WINE=64 (the developer mode) also the same sources as
# 64-bit programs in build-dir/x86_64.
# Usage: tools/build.sh [build-dir [target...]]     (default: build, every target)
#   Named targets (DrvPurge, seed_demo, ...) are built alone, and only for the programs
#   that run: build-dir/x86_64 in the developer mode, build-dir/i686 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
shift $(($# > 0 ? 1 : 0))
source "$root/tools/wine-env.sh"
wine_pick

arches=i686
if [ "$WINE_TARGET" = x86_64 ]; then arches="i686 x86_64"; fi
targets=()
if [ $# -gt 0 ]; then
  arches=$WINE_TARGET
  targets=(--target "$@")
fi
for arch in $arches; do
  cmake -S "$root" -B "$out/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
        -DDRVPURGE_WERROR=ON >/dev/null
  cmake --build "$out/$arch" -j"$(nproc)" "${targets[@]}"
done
