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

# WebP: the decoder and the demuxer (animation) only. No threads: libwebp's
# worker threads need Win32 calls that Windows 95 lacks, and the program
# decodes on its own workers anyway. SIMD is chosen at run time by the
# library's CPU check; -mstackrealign because Windows gives a new thread a
# stack aligned to 4 bytes only, and the SSE2 code spills 16-byte values.
"$here/mingw-deb-lib.sh" "$arch" libwebp -DBUILD_SHARED_LIBS=OFF -DWEBP_USE_THREAD=OFF -DWEBP_ENABLE_SIMD=ON \
    -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF \
    -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF \
    -DWEBP_BUILD_LIBWEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DCMAKE_C_FLAGS=-mstackrealign
