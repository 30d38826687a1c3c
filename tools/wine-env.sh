# Sourced by the build and run scripts: picks the Wine that runs here and makes a fresh,
# headless prefix with one wineserver kept alive.
#
# DrvPurge.exe is a 32-bit program and its tests run under 32-bit Wine. Where the kernel
# refuses 32-bit Linux programs, tools/enable-i386.sh (run as root by the install step)
# lets Wine's 32-bit loader run through user-mode emulation. Where even that is not to be
# had, the same sources are built as 64-bit programs and run under 64-bit Wine.

wine_pick() {
  # DRVPURGE_WINE=32 or 64 chooses; otherwise 32 wherever 32-bit Wine runs.
  local choice=${DRVPURGE_WINE:-}
  if [ -z "$choice" ]; then
    choice=64
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
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
}

wine_stop() {
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
}
