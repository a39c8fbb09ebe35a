#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and builds tests/capi/example.c
# against it twice, with pkg-config and with find_package(zentab), and runs both.
#   install_test.sh BUILD_DIR [PREFIX]   (exit 77: skipped, no pkg-config)
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

cmake -S "$here/consumer" -B "$work/consumer" -DCMAKE_C_FLAGS="-Wall -Werror" >/dev/null
cmake --build "$work/consumer" >/dev/null
out=$("$work/consumer/example")
[ "$out" = "$expected" ] || { printf 'install_test: CMake build printed\n%s\n' "$out" >&2; exit 1; }
echo "install_test: example.c built and run with pkg-config and find_package(zentab)"
