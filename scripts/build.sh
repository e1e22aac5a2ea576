#!/usr/bin/env bash
# Configures (once) and builds one tree: native (Linux, clang, sanitizers,
# fuzzers, benchmarks) or win32 (mingw-w64 cross build). Extra arguments are
# ninja targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:?usage: build.sh native|win32 [targets]}
shift
dir=$root/build/$tree
case "$tree" in
native)
    [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    ;;
win32)
    [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
    ;;
*) echo "build: unknown tree $tree" >&2; exit 2 ;;
esac
ninja -C "$dir" "$@"
