#!/usr/bin/env bash
# Measures DrvPurge under Wine, headless, in a throwaway prefix: start-up time, Select All on
# registries with many installed products and USB devices beside a bare registry reader,
# peak memory, and GDI and window objects after many timer ticks and Detail runs.
# Prints a Markdown table and writes it to docs/benchmarks.md.
#
# Usage: tools/bench.sh [build-dir]   (the 32-bit build, as the tests; DRVPURGE_WINE=64 the
#        developer mode's 64-bit build)
# Environment: BENCH_SIZES (default "0 100 1000 10000"), BENCH_STARTS (default 5),
#              BENCH_PRESSES (default 5), BENCH_DETAILS (1000), BENCH_TICKS (3600),
#              BENCH_SHAPE_SIZES (default "1000 10000": the sizes measured again with the
#              maker's devices last in the enumeration and with none of them).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
sizes=${BENCH_SIZES:-0 100 1000 10000}
shape_sizes=${BENCH_SHAPE_SIZES:-1000 10000}
starts=${BENCH_STARTS:-5}
presses=${BENCH_PRESSES:-5}
details=${BENCH_DETAILS:-1000}
ticks=${BENCH_TICKS:-3600}
version=winxp  # both guidance dialogs, and the NT form of the registry paths

source "$root/tools/wine-env.sh"
wine_pick
wine_ready "$root" || exit 1
"$root/tools/build.sh" "$out" >/dev/null || { echo "build failed" >&2; exit 1; }
bin="$out/$WINE_TARGET"
tests="$bin/tests"
program="Z:${bin//\//\\}\\DrvPurge.exe"  # Wine maps Z: to /
prefix=$(mktemp -d /tmp/drvpurge-bench.XXXXXX)
work=$(mktemp -d /tmp/drvpurge-bench-out.XXXXXX)
wine_prefix "$prefix"
trap 'wine_stop; rm -rf "$prefix" "$work"' EXIT

# Runs a helper of the test build; its output, without carriage returns, on stdout. The
# output goes through a file: Wine's desktop process would keep a pipe open.
helper() {
  local name=$1
  shift
  (cd "$tests" && timeout 900 "$WINE_LOADER" "$tests/$name.exe" "$@") >"$work/raw" 2>&1
  local rc=$?
  tr -d '\r' <"$work/raw"
  return $rc
}

# median of the numbers on stdin
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# the values of key=VALUE fields named $1 in the lines on stdin
field() { grep -o "$1=[-0-9.]*" | cut -d= -f2; }
log() { echo "[bench $(date +%T)] $*" >&2; }

# Start-up on the prefix as it comes (no products or devices of ours).
log "start-up, $starts runs"
helper bench_registry clear >/dev/null
helper bench_drive start "$program" "$starts" "$version" >"$work/start0"
start_main=$(field launch_to_main_ms <"$work/start0" | median)
start_unplug=$(field unplug_next_to_main_ms <"$work/start0" | median)
log "launch to main window ${start_main} ms, Unplug's Next to main window ${start_unplug} ms"

rows=""
previous=0
previous_n=0
previous_base=0
usb_unread=0
# One row of the table: size $1, shape $2 of the USB devices (spread, last or none).
measure() {
  local n=$1 shape=$2 label
  case $shape in
    spread) label="every 50th" ;;
    last) label="last 2%" ;;
    none) label="none" ;;
  esac
  [ "$n" = 0 ] && label="-"
  log "seeding $n products and $n USB devices, the maker's devices: $label"
  helper bench_registry seed "$n" "$shape" >"$work/seed" || { cat "$work/seed" >&2; }
  helper bench_registry baseline 7 >"$work/base$n"
  base=$(awk '/^baseline_ms/ { print $2 }' "$work/base$n")
  seen=$(grep -o 'apps=[0-9]* usb=[0-9]*' "$work/base$n")
  log "baseline ${base} ms ($seen)"
  helper bench_drive start "$program" 3 "$version" >"$work/start$n"
  main=$(field launch_to_main_ms <"$work/start$n" | median)
  helper bench_drive selectall "$program" "$presses" "$version" >"$work/sel$n"
  sel=$(field selectall_ms <"$work/sel$n" | median)
  sel_min=$(field selectall_ms <"$work/sel$n" | sort -n | head -1)
  base_min=$(awk '/^baseline_ms/ { print $3 }' "$work/base$n")
  ratio_min=$(awk -v a="$sel_min" -v b="$base_min" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
  listed=$(field rows_after <"$work/sel$n")
  usb=$(field usb_box <"$work/sel$n")
  peak=$(field peak_working_set_kb <"$work/sel$n")
  pagefile=$(field peak_pagefile_kb <"$work/sel$n")
  base_apps=$(field apps_ms <"$work/base$n")
  base_usb=$(field usb_ms <"$work/base$n")
  ratio=$(awk -v a="$sel" -v b="$base" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
  growth=""
  base_growth=""
  if [ "$previous_n" -gt 0 ]; then
    growth=$(awk -v a="$sel" -v b="$previous" 'BEGIN { if (b > 0) printf " (x%.1f)", a / b }')
    base_growth=$(awk -v a="$base" -v b="$previous_base" 'BEGIN { if (b > 0) printf " (x%.1f)", a / b }')
  fi
  previous=$sel
  previous_base=$base
  previous_n=$n
  [ "$shape" != none ] && [ "$n" -gt 0 ] && [ "$usb" = 0 ] && usb_unread=1
  log "size $n ($label): start ${main} ms, Select All ${sel} ms (ratio $ratio, of minima $ratio_min), rows $listed, USB box $usb, peak ${peak} KB"
  rows+="| $n | $label | $main | $sel$growth | $base$base_growth | $ratio | $ratio_min | $base_apps | $base_usb | $listed | $usb | $peak | $pagefile |"$'\n'
}
for n in $sizes; do measure "$n" spread; done
for shape in last none; do
  previous_n=0
  for n in $shape_sizes; do measure "$n" "$shape"; done
done
# The Detail runs below show the USB list: two of the maker's devices give it rows to paint.
helper bench_registry seed 100 >/dev/null

log "GDI and window objects: $ticks ticks and $details Detail runs, in-process"
helper bench_gui "$details" "$ticks" >"$work/gui"
log "$(cat "$work/gui")"
log "the same against the running program, from outside"
helper bench_drive gui "$program" "$version" "$details" "$ticks" >"$work/guiout"
log "$(cat "$work/guiout")"
g() { field "$1" <"$work/gui"; }
o() { field "$1" <"$work/guiout"; }

# The aim: Select All within 1.5 times the baseline at every size from 100 up.
worst=$(printf '%s' "$rows" | awk -F'|' '$2 + 0 >= 100 { r = $7 + 0; if (r > w) w = r } END { printf "%.2f", w }')
worst_min=$(printf '%s' "$rows" | awk -F'|' '$2 + 0 >= 100 { r = $8 + 0; if (r > w) w = r } END { printf "%.2f", w }')
aim_note="From N = 100 up, in every shape, the median Select All took at most ${worst} times the
median baseline, and the fastest at most ${worst_min} times the fastest baseline read."
if awk -v w="$worst" 'BEGIN { exit !(w <= 1.5) }'; then
  aim_note+=" That is
within the aim of 1.5."
elif awk -v w="$worst_min" 'BEGIN { exit !(w <= 1.5) }'; then
  aim_note+=" The medians
miss the aim of 1.5 in some rows where the minima meet it: other work on the shared machine
slowed some of the presses there."
else
  aim_note+=" That
misses the aim of 1.5 even for the minima."
fi
usb_note=""
if [ "$usb_unread" = 1 ]; then
  usb_note="
The USB box stayed unchecked although every 50th device names the maker: this build does not
read USB registrations, so its Select All covers the installed-software list and the other
detectors only; compare it with \"Baseline: products\".
"
fi
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
wine_version=$("$WINE_LOADER" --version 2>/dev/null)
report=$(cat <<EOF
# Benchmarks

Measured by \`tools/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) CPUs ($cpu),
$wine_version, the $WINE_TARGET build under $(basename "$WINE_LOADER"), headless (null
graphics driver), a fresh prefix, Windows version "$version" emulated. Times are medians,
in milliseconds.

## Start-up

From starting DrvPurge.exe to the visible main window "System Registry Cleaner", with both
guidance dialogs on the way (the driver presses Next in each as soon as it shows):
median of $starts starts, on the prefix as it comes.

| Launch to main window | Unplug dialog's Next to main window |
|---|---|
| $start_main | $start_unplug |

## Select All on growing registries

N uninstall keys (DisplayName, UninstallString) and N USB device keys with one instance
each (Mfg, DeviceDesc). "Devices" says which of the USB devices name the maker: every 50th
(the first rows), or as many of them in the last places of the enumeration ("last 2%"), or
none; every 50th product names the maker in every row. "Select All" is the time from sending
the button's notification until the handler returns (median of $presses presses in one run
of the program). "Baseline" is a program that only enumerates the same keys and reads the
same four values once each with RegEnumKeyEx, RegOpenKeyEx and RegQueryValueEx, timed
in-process with QueryPerformanceCounter (median of 7); "Baseline: products" and "Baseline:
USB" are its two halves. "Start" is launch to main window at that size (median of 3). Memory
is the program's peak working set and peak page-file use read with GetProcessMemoryInfo just
before it is closed, after the presses.

| N | Devices | Start | Select All (growth) | Baseline (growth) | Ratio | Ratio of minima | Baseline: products | Baseline: USB | Rows listed | USB box | Peak working set (KB) | Peak page file (KB) |
|---|---|---|---|---|---|---|---|---|---|---|---|---|
${rows}${usb_note}
"Ratio of minima" sets the fastest Select All beside the fastest baseline read: the machine is
shared, and the minima are the least disturbed by other work on it. "Growth" is the factor
over the size before in the same shape. N = 0 is the prefix as it comes: the fixed cost of
Select All (the other detectors, the system-file and INF lists, the busy cursor).

Select All reads each USB device registration once: the detection pass, which decides whether
the USB item is present, lists the maker's devices as it goes, and the USB selection list that
Select All builds next is made from that list instead of a second walk of the enumeration key
(the still-image and SCSI items work the same way). The list lives only until Select All
returns; the Detail buttons, the check boxes and the removers always read the registry afresh,
and the removers still check that the key at an entry's position carries the entry's text.
The installed-software list is read once. So Select All and the baseline read the same keys
once each, and the ratio is what the program costs beyond the bare reads: its fixed cost,
opening every key with full access, and filling the list boxes. The three shapes of one size
read the same keys and values but for the maker's few DeviceDesc values (and, with none of the
maker's devices, build no USB list), so what differs between their rows is the machine's noise.

${aim_note}

## GDI and window objects

After $ticks timer ticks and $details Detail runs of the USB list (two of the maker's devices
among 100; each run closed with Escape).

In-process (the real main dialog of the product code, created by a helper program whose GDI
table is filled but for a few thousand slots, so a leaked GDI object of any kind shows as
one slot fewer):

| | Before | After |
|---|---|---|
| Free GDI slots | $(g gdi_free_before) | $(g gdi_free_after) |
| Windows of the thread | $(g windows_before) | $(g windows_after) |
| GDI objects made through the framework | $(g framework_gdi_before) | $(g framework_gdi_after) |

While a Detail dialog was up and painted, up to $(g framework_gdi_while_open) GDI objects of the
framework were alive (the rows' tick bitmaps): the runs did load and free them.

Against the running DrvPurge.exe, from outside (windows only; Wine's GetGuiResources
answers 0): windows $(o windows_before) before, $(o windows_after) after; the ticks took
$(o ticks_ms) ms and the Detail runs $(o details_ms) ms; peak working set afterwards
$(field peak_working_set_kb <"$work/guiout") KB.
EOF
)
echo "$report"
echo "$report" >"$root/docs/benchmarks.md"
