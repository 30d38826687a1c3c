#!/usr/bin/env bash
# Shows DrvPurge at work on a computer that the Quillmar scanner software has left its
# traces on: builds it, makes a fresh Wine prefix, seeds it with the maker's leftovers
# (and other makers' things that must survive) and runs DrvPurge.exe in it.
#
# Usage: tools/demo.sh [--all] [PATH]
#   With $DISPLAY set, DrvPurge opens on that display and the demo ends when you close it.
#   Without it (or with DRVPURGE_DEMO_HEADLESS=1) it runs under Xvfb, passes the guidance
#   dialogs, writes a screenshot of the main window to PATH (default
#   docs/screenshots/demo.png, which git ignores) and closes the program. --all makes PATH a folder and
#   photographs every window of the program: the guidance dialogs, the main window (before
#   and after Select All), the About box, the Detail dialog, the two questions of the
#   uninstall launch and the restart prompt after Apply (which cleans the demo prefix).
# Environment: DRVPURGE_VERSION (win95 win98 winme nt40 win2k winxp win2003; default winxp),
#   DRVPURGE_WINE=64 (the developer mode), BUILD_DIR, DRVPURGE_DEMO_PREFIX (default
#   /tmp/drvpurge-demo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}
version=${DRVPURGE_VERSION:-winxp}
prefix=${DRVPURGE_DEMO_PREFIX:-/tmp/drvpurge-demo}
all=0
if [ "${1:-}" = --all ]; then all=1; shift; fi
target=${1:-}

case "$version" in
  win95|win98|winme|nt40|win2k|winxp|win2003) ;;
  *) echo "DRVPURGE_VERSION must be one of win95 win98 winme nt40 win2k winxp win2003" >&2; exit 64 ;;
esac

# The prefix is made afresh: never wipe a folder that is not a Wine prefix.
if [ -e "$prefix" ] && [ ! -e "$prefix/system.reg" ] && [ -n "$(ls -A "$prefix" 2>/dev/null)" ]; then
  echo "$prefix exists and is not a Wine prefix; choose another DRVPURGE_DEMO_PREFIX" >&2
  exit 64
fi

visible=0
if [ -n "${DISPLAY:-}" ] && [ "${DRVPURGE_DEMO_HEADLESS:-0}" != 1 ]; then visible=1; fi

if [ "$(id -u)" = 0 ]; then "$root/tools/install-deps.sh"; fi
source "$root/tools/wine-env.sh"
wine_pick
wine_ready "$root"
# Only what the demo runs: the program, the seeder and, headless, the end-to-end program,
# whose drive mode passes the dialogs and finds the windows to photograph.
targets="DrvPurge seed_demo"
if [ "$visible" = 0 ]; then targets="$targets DrvPurgeE2E"; fi
"$root/tools/build.sh" "$out" $targets
bin="$out/$WINE_TARGET"
driver="$bin/tests/DrvPurgeE2E.exe"
seeder="$bin/tests/seed_demo.exe"

xvfb_pid=
cleanup() {
  if [ "${WINEPREFIX:-}" = "$prefix" ]; then wine_stop; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ "$visible" = 0 ]; then
  display=99
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
fi

echo "Making a Wine prefix in $prefix"
wine_prefix "$prefix"
wine() { "$WINE_LOADER" "$@"; }
# Real windows this time, on the display; without a window manager Wine draws the frames.
wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
if [ "$visible" = 0 ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
# Wine's own TrueType fonts, which this Wine does not always find in its data folder: the
# caption buttons are drawn with Marlett.
fonts="$prefix/drive_c/windows/Fonts"
for font in /usr/share/wine/fonts/*.ttf; do
  if [ -e "$font" ] && [ ! -e "$fonts/${font##*/}" ]; then cp "$font" "$fonts/"; fi
done
"$WINESERVER_BIN" -k >/dev/null 2>&1 || true
"$WINESERVER_BIN" -w >/dev/null 2>&1 || true
("$WINESERVER_BIN" -p 600 >/dev/null 2>&1 &)

for program in DrvPurge.exe seed_demo.exe; do
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$program" /v Version /d "$version" /f >/dev/null 2>&1
done
install_dir="$prefix/drive_c/Tools/DrvPurge"
mkdir -p "$install_dir"
cp "$bin/DrvPurge.exe" "$install_dir/"
wine "$seeder" 'C:\Tools\DrvPurge\DrvPurge.exe'

if [ "$visible" = 1 ]; then
  echo "Running DrvPurge as $version on $DISPLAY; close it to end the demo."
  (cd "$install_dir" && wine DrvPurge.exe)
  exit 0
fi

drive() { wine "$driver" --mode=drive "$@"; }
shoot() {  # shoot CAPTION FILE: the window with that caption, as it looks on the screen
  local place
  drive "wait:$1" "sleep:700" >/dev/null
  place=$(drive "rect:$1" | tr -d '\r')
  import -display "$DISPLAY" -window root -crop "$place" +repage "$2"
  echo "Wrote $2 ($1)"
}

main_caption="System Registry Cleaner"
(cd "$install_dir" && wine DrvPurge.exe >/dev/null 2>&1 &)
if [ "$all" = 1 ]; then
  folder=${target:-$root/docs/screenshots}
  mkdir -p "$folder"
  case "$version" in
    win2k|winxp)
      shoot "Remove The Device From Device Manager..." "$folder/guide-remove-device.png"
      drive "next:Remove The Device From Device Manager..." ;;
  esac
  shoot "Unplug The Scanner Device" "$folder/guide-unplug.png"
  drive "next:Unplug The Scanner Device"
  shoot "$main_caption" "$folder/main.png"
  drive "syscommand:$main_caption:16"
  shoot "About DrvPurge" "$folder/about.png"
  drive "command:About DrvPurge:1" "gone:About DrvPurge"
  drive "click:$main_caption:1020"
  shoot "Detail Items" "$folder/detail.png"
  drive "command:Detail Items:1" "gone:Detail Items"
  # The uninstall launch: the demo's uninstallers are not there, so the registration stays
  # and the second question follows. No keeps it.
  drive "dblclick:$main_caption:1013"
  shoot "Uninstall..." "$folder/uninstall-finished.png"
  drive "command:Uninstall...:1"
  shoot "Installer Registry Is Not Cleaned." "$folder/uninstall-left.png"
  drive "command:Installer Registry Is Not Cleaned.:7" "gone:Installer Registry Is Not Cleaned."
  drive "command:$main_caption:1012" "sleep:1500"
  shoot "$main_caption" "$folder/main-select-all.png"
  # Apply, then Exit: the restart prompt. No ends the program.
  drive "command:$main_caption:1006" "command:$main_caption:1"
  shoot "Restart Windows" "$folder/restart.png"
  drive "command:Restart Windows:7" "gone:$main_caption"
  echo "DrvPurge closed."
  exit 0
else
  file=${target:-$root/docs/screenshots/demo.png}
  mkdir -p "$(dirname "$file")"
  case "$version" in
    win2k|winxp) drive "next:Remove The Device From Device Manager..." ;;
  esac
  drive "next:Unplug The Scanner Device"
  shoot "$main_caption" "$file"
fi
drive "command:$main_caption:2" "gone:$main_caption"
echo "DrvPurge closed."
