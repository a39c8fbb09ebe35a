#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and builds tests/capi/example.c
# against it with pkg-config (shared and static) and with find_package(zentab),
# and runs each.
#   install_test.sh BUILD_DIR   (exit 77: skipped, no pkg-config)
# With no BUILD_DIR ("-"), builds against the libzentab installed on the system.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v pkg-config >/dev/null || { echo "install_test: no pkg-config; skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
expected='+-----+---+
|Name |Qty|
+-----+---+
|apple|3  |
+-----+---+'

if [ "$build" != - ]; then
  prefix=$work/prefix
  cmake --install "$build" --prefix "$prefix" >/dev/null
  libdir=$(dirname "$(find "$prefix" -name zentab.pc)")/..
  export PKG_CONFIG_PATH=$libdir/pkgconfig
  export CMAKE_PREFIX_PATH=$prefix
fi

flags=$(pkg-config --cflags --libs zentab)
rpath=$(pkg-config --variable=libdir zentab)
cc -std=c99 -Wall -Wextra -Wpedantic -Werror "$here/example.c" $flags -Wl,-rpath,"$rpath" \
  -o "$work/example-pc"
out=$("$work/example-pc")
[ "$out" = "$expected" ] || { printf 'install_test: pkg-config build printed\n%s\n' "$out" >&2; exit 1; }

# libzentab.a, with what pkg-config --static says it needs besides.
static_libs=$(pkg-config --static --libs zentab | sed 's/-lzentab//')
cc -std=c99 "$here/example.c" $(pkg-config --cflags zentab) "$rpath/libzentab.a" $static_libs \
  -o "$work/example-static"
out=$("$work/example-static")
[ "$out" = "$expected" ] || { printf 'install_test: static build printed\n%s\n' "$out" >&2; exit 1; }

cmake -S "$here/consumer" -B "$work/consumer" -DCMAKE_C_FLAGS="-Wall -Werror" >/dev/null
cmake --build "$work/consumer" >/dev/null
out=$("$work/consumer/example")
[ "$out" = "$expected" ] || { printf 'install_test: CMake build printed\n%s\n' "$out" >&2; exit 1; }
echo "install_test: example.c built and run with pkg-config (shared, static) and find_package(zentab)"
