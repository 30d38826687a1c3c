# Sourced by the build, test, demo and benchmark scripts: picks the Wine that runs the
# programs and makes a fresh, headless prefix with one wineserver kept alive.
#
# DrvPurge.exe is a 32-bit program. Its tests, like the program, are built for i686 and
# run under 32-bit Wine in a 32-bit prefix, on every machine: where the kernel refuses
# 32-bit Linux programs, wine_ready lets Wine's 32-bit loader run through QEMU's user-mode
# emulation (tools/enable-i386.sh, as root).
#
# DRVPURGE_WINE=64 is a developer mode, faster where 32-bit Wine is emulated: the same
# sources built as 64-bit programs and run under 64-bit Wine. It is not the program that
# ships, and CI does not run it.

wine_pick() {
  if [ "${DRVPURGE_WINE:-32}" = 64 ]; then
    WINE_LOADER=/usr/lib/wine/wine64
    WINE_TARGET=x86_64
    export WINEARCH=win64
  else
    WINE_LOADER=/usr/lib/wine/wine
    WINE_TARGET=i686
    export WINEARCH=win32
  fi
  WINESERVER_BIN=/usr/lib/wine/wineserver
  export WINEDEBUG=-all
}

# wine_ready ROOT: true once the picked loader runs, setting up the emulation if need be
# (or, with DRVPURGE_QEMU=1, in any case: that tries the emulated path on any machine).
wine_ready() {
  if [ "${DRVPURGE_QEMU:-0}" != 1 ] || [ "$WINE_TARGET" != i686 ]; then
    "$WINE_LOADER" --version >/dev/null 2>&1 && return 0
  fi
  if [ "$WINE_TARGET" = i686 ] && [ "$(id -u)" = 0 ]; then
    echo "Setting up QEMU's user-mode emulation for Wine's 32-bit loader"
    "$1/tools/enable-i386.sh" && "$WINE_LOADER" --version >/dev/null 2>&1 && return 0
  fi
  echo "$WINE_LOADER does not run here." >&2
  [ "$WINE_TARGET" = i686 ] && echo "Run tools/enable-i386.sh once as root." >&2
  return 1
}

# wine_prefix DIR: a new prefix in DIR, headless (Wine's null graphics driver).
wine_prefix() {
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  "$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
  "$WINE_LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w >/dev/null 2>&1 || true
  ("$WINESERVER_BIN" -p 600 >/dev/null 2>&1 &)
  # Wine's service processes start with the first program and keep its standard handles
  # as long as the server lives: start them here, on /dev/null, and not on a test's pipe.
  "$WINE_LOADER" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_stop() {
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
}
