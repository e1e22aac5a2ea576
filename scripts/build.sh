#!/usr/bin/env bash
# Configures (once) and builds one tree: native (Linux, clang, sanitizers,
# fuzzers, benchmarks), win32 (mingw-w64 cross build for 32-bit Windows) or
# win64 (the same for 64-bit Windows). Extra arguments are ninja targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:?usage: build.sh native|win32|win64 [targets]}
shift
dir=$root/build/$tree
case "$tree" in
native)
    [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    ;;
win32 | win64)
    arch=i686
    [ "$tree" = win64 ] && arch=x86_64
    # The libraries built from Debian's sources (cached: nothing to do after the first time).
    "$root/scripts/mingw-deps.sh" $arch
    # A tree configured with another compiler than the toolchain file names
    # (the posix thread model, once) is configured afresh.
    if [ -f "$dir/build.ninja" ] && ! grep -qs 'g++-win32"' "$dir"/CMakeFiles/*/CMakeCXXCompiler.cmake; then
        rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles" "$dir/build.ninja"
    fi
    [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" -DLUMORA_WIN_ARCH=$arch >/dev/null
    ;;
*) echo "build: unknown tree $tree" >&2; exit 2 ;;
esac
ninja -C "$dir" "$@"
