#!/usr/bin/env bash
# Installs what building and running DrvPurge under Wine needs on Debian 12, if missing.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# wine64 brings the 64-bit wineserver, which stays native where 32-bit Wine is emulated.
packages=(cmake g++-mingw-w64-i686 googletest wine wine64 xvfb x11-apps imagemagick python3 locales)
# The developer mode builds the same sources as 64-bit programs as well.
if [ "${DRVPURGE_WINE:-32}" = 64 ]; then packages+=(g++-mingw-w64-x86-64); fi
for package in "${packages[@]}"; do
  have "$package" || need+=("$package")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
have wine32:i386 || need+=("wine32:i386")
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi
