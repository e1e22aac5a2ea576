#!/usr/bin/env bash
# Builds a library from Debian's source package with the mingw-w64 cross
# compiler, static, into build/deps/<arch>/<package>/ (include/, lib/). The
# source is fetched once into build/deps/src; a finished build leaves a stamp
# naming the source version and the options, so running again costs nothing.
# No copy of the source is ever committed. A source without a CMakeLists.txt
# of its own is built by ours in cmake/deps/<package>/, which is handed the
# unpacked source as LUMORA_DEP_SOURCE.
#
# Usage: mingw-deb-lib.sh ARCH PACKAGE [cmake options...]
#   ARCH: i686 or x86_64
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:?usage: mingw-deb-lib.sh i686|x86_64 PACKAGE [cmake options]}
package=${2:?usage: mingw-deb-lib.sh i686|x86_64 PACKAGE [cmake options]}
shift 2
deps=$root/build/deps
src_root=$deps/src/$package
prefix=$deps/$arch/$package
stamp=$prefix/.built

# The version the registry serves: the fetched source is kept per version.
source_version() { apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1; }
version=$(source_version)
if [ -z "$version" ] && [ ! -f "$stamp" ]; then
    # A deb-src entry added since the last update of the lists.
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get -o DPkg::Lock::Timeout=900 update -q >/dev/null || true
    version=$(source_version)
fi
if [ -z "$version" ]; then
    # No source entry (yet): a cached build is still good.
    [ -f "$stamp" ] && exit 0
    echo "mingw-deb-lib: no source package $package (is the deb-src entry there?)" >&2
    exit 1
fi
# Our own build file, when the source needs one: its changes rebuild too.
own_cmake=$root/cmake/deps/$package/CMakeLists.txt
own_stamp=""
[ -f "$own_cmake" ] && own_stamp=" $(md5sum <"$own_cmake" | cut -c1-12)"
want="$version $*$own_stamp"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then exit 0; fi

upstream=${version#*:}
upstream=${upstream%-*}
src=$src_root/$package-$upstream
if [ ! -d "$src" ]; then
    echo "mingw-deb-lib: fetching the source of $package $version"
    rm -rf "$src_root" && mkdir -p "$src_root"
    # dpkg-source applies Debian's own patches while it unpacks.
    (cd "$src_root" && apt-get source -q "$package=$version" >/dev/null 2>&1) ||
        { echo "mingw-deb-lib: apt-get source $package failed" >&2; exit 1; }
    [ -d "$src" ] || src=$(find "$src_root" -mindepth 1 -maxdepth 1 -type d | head -n 1)
fi

work=$deps/$arch/$package-build
rm -rf "$work" "$prefix"
mkdir -p "$deps/$arch"
echo "mingw-deb-lib: building $package for $arch"
cmake_source=(-S "$src")
[ -f "$own_cmake" ] && cmake_source=(-S "$(dirname "$own_cmake")" -DLUMORA_DEP_SOURCE="$src")
cmake "${cmake_source[@]}" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" -DLUMORA_WIN_ARCH="$arch" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib" -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include" \
    -DCMAKE_INSTALL_BINDIR="$prefix/bin" -DCMAKE_INSTALL_DOCDIR="$prefix/share/doc" -DCMAKE_INSTALL_MANDIR="$prefix/share/man" \
    "$@" >"$deps/$arch/$package-configure.log" 2>&1 ||
    { tail -n 30 "$deps/$arch/$package-configure.log"; exit 1; }
ninja -C "$work" -j2 install >"$deps/$arch/$package-build.log" 2>&1 ||
    { tail -n 30 "$deps/$arch/$package-build.log"; exit 1; }
rm -rf "$work"
echo "$want" >"$stamp"
echo "mingw-deb-lib: $package $version ready in $prefix"
