#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds a host program outside the tree against it,
# once through find_package(orla) (shared and static) and once through pkg-config; each must run and
# compute the expected pay.
#   tests/consumer_test.sh <build dir> <C compiler> <source dir of tests/consumer>
set -euo pipefail
build=$1 cc=$2 consumer=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

step() { echo "--- $*"; }

step "cmake --install into a temporary prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
libdir=$(dirname "$(find "$prefix" -name orla.pc)")/..
for f in include/orla/orla.h; do [ -f "$prefix/$f" ] || { echo "missing: $f"; exit 1; }; done
for f in liborla.so liborla.so.3 liborla.a cmake/orla/orlaConfig.cmake cmake/orla/orlaConfigVersion.cmake \
         pkgconfig/orla.pc; do
  [ -e "$libdir/$f" ] || { echo "missing: lib/$f"; exit 1; }
done
soname=$(objdump -p "$libdir/liborla.so" | awk '$1 == "SONAME" { print $2 }')
[ "$soname" = liborla.so.3 ] || { echo "SONAME is '$soname', not liborla.so.3"; exit 1; }

# The installed program (when built) runs from its prefix without help.
if [ -e "$prefix/bin/orla-calc" ]; then
  env -u LD_LIBRARY_PATH "$prefix/bin/orla-calc" --version >/dev/null || { echo "installed orla-calc does not run"; exit 1; }
fi

step "find_package(orla) from an outside project"
cmake -S "$consumer" -B "$work/cmake-build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="$cc" \
  >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake-build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
"$work/cmake-build/consumer"
"$work/cmake-build/consumer_static"
# The static program carries the calculators: it needs no liborla.so.
if ldd "$work/cmake-build/consumer_static" | grep -q liborla; then echo "consumer_static loads liborla"; exit 1; fi

step "pkg-config from an outside build"
# A copied tree must work as well: orla.pc finds its prefix from where it lies.
mv "$prefix" "$work/moved"
export PKG_CONFIG_PATH=$work/moved/${libdir#"$prefix"/}/pkgconfig
[ "$(pkg-config --modversion orla)" = 3.5.0 ] || { echo "pkg-config --modversion: $(pkg-config --modversion orla)"; exit 1; }
# shellcheck disable=SC2046
"$cc" -o "$work/consumer_pc" "$consumer/consumer.c" $(pkg-config --cflags --libs orla) -lm
LD_LIBRARY_PATH=$(pkg-config --variable=libdir orla) "$work/consumer_pc"
echo "consumer projects: all pass"
