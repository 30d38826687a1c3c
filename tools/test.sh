#!/usr/bin/env bash
# Installs what is missing, builds DrvPurge and its tests, and runs every test under Wine,
# headless, in a throwaway prefix: the 32-bit DrvPurge.exe that ships, in a 32-bit prefix
# (through QEMU where the kernel refuses 32-bit programs). Prints how long each part took
# and ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}
started=$SECONDS
mark=$SECONDS
took() {  # took PART: how long PART took since the last mark
  echo "[time] $1: $((SECONDS - mark)) s"
  mark=$SECONDS
}

if [ "$(id -u)" = 0 ]; then "$root/tools/install-deps.sh" || exit 1; fi
source "$root/tools/wine-env.sh"
wine_pick
wine_ready "$root" || { echo "0 passed, 1 failed"; exit 1; }
took "installing what was missing"
"$root/tools/build.sh" "$out" || { echo "0 passed, 1 failed"; exit 1; }
took "building"

bin="$out/$WINE_TARGET"
echo "Running the $WINE_TARGET build under $(basename "$WINE_LOADER")"
prefix=$(mktemp -d /tmp/drvpurge-wine.XXXXXX)
wine_prefix "$prefix"
trap 'wine_stop; rm -rf "$prefix"' EXIT
took "making the Wine prefix"

passed=0
failed=0
status=0
# run_suite EXE [ARGS...]: runs one test program and adds up its results.
run_suite() {
  local exe=$1
  shift
  local log
  log=$(mktemp)
  # A hung test must not hang the run. The output goes to a file, not a pipe: Wine's
  # desktop process inherits it and would keep a pipe open after the tests end.
  (cd "$(dirname "$exe")" && timeout 1500 "$WINE_LOADER" "$exe" "$@") >"$log.raw" 2>&1
  local rc=$?
  tr -d '\r' <"$log.raw" >"$log"
  cat "$log"
  rm -f "$log.raw"
  local p f
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*, listed below:/\1/p' "$log" | tail -1)
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
  if [ "$rc" != 0 ] || [ -z "$p$f" ]; then
    status=1
    [ -z "$f" ] && failed=$((failed + 1))
  fi
  rm -f "$log"
}

run_suite "$bin/tests/DrvPurgeTests.exe" --gtest_filter='-*CodePage932*'
took "unit and component tests"
run_suite "$bin/tests/DrvPurgeE2E.exe" --gtest_filter='-*CodePage932*'
took "end-to-end tests"
# The double-byte tests need the Japanese ANSI code page (932), which Wine takes from the
# Unix locale of the program it starts; they fail under any other code page. The locale
# must exist for file names beyond ASCII to work: one of our own, made beside the build.
locales="$out/locale"
if [ ! -d "$locales/ja_JP.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" >/dev/null 2>&1
fi
japanese() { LOCPATH="$locales" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 run_suite "$@"; }
japanese "$bin/tests/DrvPurgeTests.exe" --gtest_filter='*CodePage932*'
japanese "$bin/tests/DrvPurgeE2E.exe" --gtest_filter='*CodePage932*'
took "tests under code page 932"

echo "[time] in all: $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$status" = 0 ]
