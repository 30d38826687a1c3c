# Sourced by the build and run scripts: picks the Wine that runs here and makes a fresh,
# headless prefix with one wineserver kept alive.
#
# DrvPurge.exe is a 32-bit program and its tests run under 32-bit Wine wherever Wine's
# 32-bit loader runs natively. Some virtual machines refuse 32-bit Linux programs: there
# the same sources are built as 64-bit programs and tested under 64-bit Wine, unless
# DRVPURGE_WINE=32 asks for the 32-bit build under emulation (tools/enable-i386.sh sets
# that up; it works, but emulated Wine starts programs several times slower).

wine_pick() {
  local choice=${DRVPURGE_WINE:-}
  if [ -z "$choice" ]; then
    choice=64
    if [ -x /usr/lib/wine/wine ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] &&
       /usr/lib/wine/wine --version >/dev/null 2>&1; then
      choice=32
    fi
  fi
  if [ "$choice" = 32 ]; then
    WINE_LOADER=/usr/lib/wine/wine
    WINE_TARGET=i686
    export WINEARCH=win32
  else
    WINE_LOADER=/usr/lib/wine/wine64
    WINE_TARGET=x86_64
    export WINEARCH=win64
  fi
  WINESERVER_BIN=/usr/lib/wine/wineserver
  export WINEDEBUG=-all
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
