#!/usr/bin/env bash
# The libraries lumora.exe links that come from Debian's source packages,
# cross built for one Windows architecture (scripts/mingw-deb-lib.sh; cached).
# Usage: mingw-deps.sh i686|x86_64
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
arch=${1:?usage: mingw-deps.sh i686|x86_64}

# JPEG: the SIMD code needs nasm; the tools and the TurboJPEG library come
# along (the benchmarks use the latter), shared libraries do not.
"$here/mingw-deb-lib.sh" "$arch" libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON \
    -DWITH_JAVA=OFF -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm

# Deflate: the fast inflate of TIFF strips, static, from our own build file
# (the source package's build is a Makefile).
"$here/mingw-deb-lib.sh" "$arch" libdeflate

# Colour profiles: LittleCMS, static, from our own build file (the source
# package has none for cmake).
"$here/mingw-deb-lib.sh" "$arch" lcms2
