#!/usr/bin/env bash
# Installs what building, running and testing Lumora needs, and only what is
# missing. Safe to run again, as root, with no terminal.
set -euo pipefail

export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# Every Debian package the build, the tests and run.sh use.
PACKAGES=(
  g++-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth xdotool x11-utils
  g++ clang libclang-rt-dev cmake ninja-build patch googletest libgtest-dev libbenchmark-dev libtiff-dev
  libstb-dev libjpeg62-turbo-dev libturbojpeg0-dev libwebp-dev
  zlib1g-dev libz-mingw-w64-dev libdeflate-dev liblcms2-dev icc-profiles-free colord-data
  nasm dpkg-dev
  imagemagick netpbm libtiff-tools libjpeg-turbo-progs libimage-exiftool-perl python3-pil webp
  cups cups-bsd cups-client printer-driver-cups-pdf libcups2:i386 ghostscript poppler-utils
)

# Source packages cross built for lumora.exe (scripts/mingw-deps.sh) need a
# deb-src twin of Debian's own entry.
SOURCES_ENTRY=/etc/apt/sources.list.d/lumora-src.sources
need_update=false
if [ ! -f "$SOURCES_ENTRY" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $SUDO tee "$SOURCES_ENTRY" >/dev/null
  need_update=true
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -q
  need_update=false
  $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
fi
if $need_update; then $SUDO apt-get -o DPkg::Lock::Timeout=900 update -q; fi

echo "setup: packages ready"

# Libraries built from Debian's sources for the shipped 32-bit program; the
# 64-bit test tree builds its own on first use (scripts/build.sh).
"$(dirname "${BASH_SOURCE[0]}")/mingw-deps.sh" i686

# The Wine prefix the tests and run.sh use, booted once.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
lumora_wine_prefix
