#!/usr/bin/env bash
# Lets Wine's 32-bit loader run on a machine whose kernel refuses 32-bit Linux programs
# (some virtual machines do), through QEMU's user-mode emulation registered with
# binfmt_misc. QEMU 7.2 of Debian 12 cannot run Wine; the 10.x of Debian's backports can.
# Does nothing where 32-bit programs already run, unless DRVPURGE_QEMU=1 asks for the
# emulation all the same (binfmt_misc comes before the kernel's own loader): that tries the
# emulated path on any machine. Needs root.
set -euo pipefail

runs_i386() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
if [ "${DRVPURGE_QEMU:-0}" != 1 ]; then runs_i386 && exit 0; fi
[ "$(id -u)" = 0 ] || { echo "enable-i386: needs root" >&2; exit 1; }

qemu=/usr/bin/qemu-i386
if ! "$qemu" --version 2>/dev/null | grep -Eq 'version (9|[1-9][0-9])\.'; then
  # The backports suite, from the same mirror as the system's own Debian source.
  uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
  [ -n "$uri" ] || { echo "enable-i386: no Debian source to derive backports from" >&2; exit 1; }
  cat > /etc/apt/sources.list.d/drvpurge-backports.sources <<SOURCES
Types: deb
URIs: $uri
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -t bookworm-backports qemu-user >/dev/null
fi

binfmt=/proc/sys/fs/binfmt_misc
mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ -e "$binfmt/qemu-i386" ] && ! grep -q "interpreter $qemu\$" "$binfmt/qemu-i386"; then
  echo -1 > "$binfmt/qemu-i386"
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    > "$binfmt/register"
fi
runs_i386
