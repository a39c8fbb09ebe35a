#!/usr/bin/env bash
# Builds the Debian packages from a release build (the deb preset, in
# build-deb/build) into build-deb/: zentab (the tool and its man page),
# libzentab1 (libzentab.so.1), libzentab-dev (header, libzentab.so link,
# libzentab.a, pkg-config and CMake files) and python3-zentab, each with its
# copyright file,
# zentab's Depends from dpkg-shlibdeps, libzentab1's symbols from
# dpkg-gensymbols and the version from CMake's project(). Checks each package
# with lintian when it is installed. Prints the packages' paths, one a line,
# zentab's last. Needs what scripts/install-deps.sh installs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$(zentab_root)"
out=build-deb
build=$out/build
pkg=$out/pkg
stage=$pkg/stage  # everything cmake --install puts under /usr
umask 022

# The man page's date and the files' times follow the commit, so a package
# built twice from one commit is the same.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

# python3-zentab: the Python package, built by setup.py from this tree for
# Debian's python3, in /usr/lib/python3/dist-packages. Says nothing on
# standard output, whose last line names the zentab package.
build_python_package() {
  local python=/usr/bin/python3 base=$out/python root=$out/python-pkg/debian/python3-zentab
  local dist=usr/lib/python3/dist-packages
  local top=$PWD date
  date=$(date -R -u -d "@$SOURCE_DATE_EPOCH")
  mkdir -p "$base"
  (cd python && "$python" setup.py -q build -j "$(zentab_jobs)" --build-base "$top/$base" \
    --build-lib "$top/$base/lib") >"$base.log" 2>&1 || {
    cat "$base.log" >&2
    echo "build-deb: the Python package did not build" >&2
    exit 1
  }
  rm -rf "$out/python-pkg"
  mkdir -p "$root/$dist" "$root/usr/share/doc/python3-zentab" "$root/DEBIAN"
  cp -r "$base/lib/zentab" "$root/$dist/"
  find "$root/$dist" -name __pycache__ -prune -exec rm -rf {} +
  chmod 644 "$root/$dist"/zentab/*.so
  strip --strip-unneeded "$root/$dist"/zentab/*.so
  local doc=$root/usr/share/doc/python3-zentab
  cp packaging/deb/copyright "$doc/copyright"
  printf 'zentab (%s) unstable; urgency=medium\n\n  * Built from the Zentab source tree.\n\n -- %s  %s\n' \
    "$version" "$maintainer" "$date" | gzip -9n >"$doc/changelog.gz"

  printf 'Source: zentab\n\nPackage: python3-zentab\nArchitecture: any\n' >"$out/python-pkg/debian/control"
  local shlibs pyversion depends size
  shlibs=$(cd "$out/python-pkg" && dpkg-shlibdeps -O debian/python3-zentab/$dist/zentab/*.so |
    sed -n 's/^shlibs:Depends=//p')
  # The extension is built for this python3's ABI only.
  pyversion=$("$python" -c 'import sys; print("%d.%d" % sys.version_info[:2])')
  depends="python3 (>= $pyversion), python3 (<< ${pyversion%.*}.$((${pyversion#*.} + 1))), $shlibs"
  size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
  sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" \
    -e "s/@DEPENDS@/$depends/" -e "s/@MAINTAINER@/$maintainer/" \
    packaging/deb/python3-zentab.control.in >"$root/DEBIAN/control"
  (cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
  find "$root" -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +
  local python_package=$out/python3-zentab_${version}_${arch}.deb
  dpkg-deb --root-owner-group -Zxz --build "$root" "$python_package" >/dev/null
  if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$python_package" >&2
  fi
  echo "build-deb: $python_package" >&2
}

version=$(zentab_version)
arch=$(dpkg --print-architecture)
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
maintainer=$(sed -n 's/^Maintainer: //p' packaging/deb/control.in)

# Where dpkg-shlibdeps and dpkg-gensymbols look for a package's files.
package_root() {
  echo "$pkg/debian/$1"
}

build_and_stage() {
  cmake --preset deb >/dev/null
  cmake --build --preset deb -j "$(zentab_jobs)" >&2
  rm -rf "$pkg"
  DESTDIR="$PWD/$stage" cmake --install "$build" --strip >/dev/null
  # dpkg-shlibdeps and dpkg-gensymbols read the source package's
  # debian/control; a minimal one will do.
  mkdir -p "$pkg/debian"
  printf 'Source: zentab\n\nPackage: zentab\nArchitecture: any\n' >"$pkg/debian/control"
  printf '\nPackage: libzentab1\nArchitecture: any\n' >>"$pkg/debian/control"
  printf '\nPackage: libzentab-dev\nArchitecture: any\n' >>"$pkg/debian/control"
}

# take PACKAGE PATH...: moves staged paths (relative to the stage) into a package.
take() {
  local root
  root=$(package_root "$1")
  shift
  for path in "$@"; do
    mkdir -p "$root/$(dirname "$path")"
    mv "$stage/$path" "$root/$path"
  done
}

# add_docs PACKAGE: its copyright file and changelog.
add_docs() {
  local doc date
  doc=$(package_root "$1")/usr/share/doc/$1
  mkdir -p "$doc"
  cp packaging/deb/copyright "$doc/copyright"
  date=$(date -R -u -d "@$SOURCE_DATE_EPOCH")
  printf '%s (%s) unstable; urgency=medium\n\n  * Built from the Zentab source tree.\n\n -- %s  %s\n' \
    "$1" "$version" "$maintainer" "$date" | gzip -9n >"$doc/changelog.gz"
}

# write_control PACKAGE TEMPLATE DEPENDS
write_control() {
  local root size
  root=$(package_root "$1")
  mkdir -p "$root/DEBIAN"
  size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
  sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" \
    -e "s/@DEPENDS@/$3/" -e "s/@MAINTAINER@/$maintainer/" "$2" >"$root/DEBIAN/control"
}

# finish PACKAGE: md5sums, file times, the .deb, lintian; prints its path.
finish() {
  local root deb
  root=$(package_root "$1")
  (cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
  find "$root" -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +
  deb=$out/${1}_${version}_${arch}.deb
  dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
  if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >&2
  fi
  echo "$deb"
}

package_libzentab1() {
  local root lib=usr/lib/$triplet depends
  root=$(package_root libzentab1)
  take libzentab1 "$lib/libzentab.so.$version" "$lib/libzentab.so.1"
  add_docs libzentab1
  mkdir -p "$root/DEBIAN"
  depends=$(cd "$pkg" && dpkg-shlibdeps -O "debian/libzentab1/$lib/libzentab.so.$version" |
    sed -n 's/^shlibs:Depends=//p')
  write_control libzentab1 packaging/deb/libzentab1.control.in "$depends"
  # Programs built against 1.0 symbols need at least the version that added them.
  printf 'libzentab 1 libzentab1 (>= %s)\n' "$version" >"$root/DEBIAN/shlibs"
  (cd "$pkg" && dpkg-gensymbols -q -plibzentab1 -Pdebian/libzentab1 -v"$version" \
    -e"debian/libzentab1/$lib/libzentab.so.$version" -Odebian/libzentab1/DEBIAN/symbols)
  printf 'activate-noawait ldconfig\n' >"$root/DEBIAN/triggers"
  finish libzentab1
}

package_libzentab_dev() {
  local lib=usr/lib/$triplet
  take libzentab-dev usr/include/zentab.h "$lib/libzentab.so" "$lib/libzentab.a" \
    "$lib/pkgconfig/zentab.pc" "$lib/cmake/zentab"
  add_docs libzentab-dev
  write_control libzentab-dev packaging/deb/libzentab-dev.control.in ""
  finish libzentab-dev
}

package_zentab() {
  local root depends
  root=$(package_root zentab)
  [ -x "$stage/usr/bin/zentab" ] || { echo "build-deb: no usr/bin/zentab installed" >&2; exit 1; }
  [ -f "$stage/usr/share/man/man1/zentab.1" ] || {
    echo "build-deb: no man page installed (is scdoc installed?)" >&2
    exit 1
  }
  take zentab usr/bin/zentab usr/share/man/man1/zentab.1
  gzip -9n "$root/usr/share/man/man1/zentab.1"
  add_docs zentab
  mkdir -p "$root/DEBIAN"
  # libzentab1 is found among the packages being built, with its symbols.
  depends=$(cd "$pkg" && dpkg-shlibdeps -O debian/zentab/usr/bin/zentab |
    sed -n 's/^shlibs:Depends=//p')
  write_control zentab packaging/deb/control.in "$depends"
  finish zentab
}

build_and_stage
package_libzentab1
package_libzentab_dev
package_zentab
build_python_package
