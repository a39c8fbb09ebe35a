#!/usr/bin/env bash
# Builds build-deb/zentab_<version>_<arch>.deb from a release build (the deb
# preset, in build-deb/build): the tool, its man page and the copyright file,
# with Depends from dpkg-shlibdeps and the version from CMake's project().
# Checks the package with lintian when it is installed. Needs what
# scripts/install-deps.sh installs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$(zentab_root)"
out=build-deb
build=$out/build
pkg=$out/pkg
root=$pkg/debian/zentab  # where dpkg-shlibdeps looks for a package's files
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
  local top=$PWD
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

cmake --preset deb >/dev/null
cmake --build --preset deb -j "$(zentab_jobs)"
rm -rf "$pkg"
DESTDIR="$PWD/$root" cmake --install "$build" --prefix /usr --strip >/dev/null

version=$(zentab_version)
arch=$(dpkg --print-architecture)
[ -x "$root/usr/bin/zentab" ] || { echo "build-deb: no usr/bin/zentab installed" >&2; exit 1; }
[ -f "$root/usr/share/man/man1/zentab.1" ] || {
  echo "build-deb: no man page installed (is scdoc installed?)" >&2
  exit 1
}
gzip -9n "$root/usr/share/man/man1/zentab.1"

doc=$root/usr/share/doc/zentab
mkdir -p "$doc"
cp packaging/deb/copyright "$doc/copyright"
date=$(date -R -u -d "@$SOURCE_DATE_EPOCH")
maintainer=$(sed -n 's/^Maintainer: //p' packaging/deb/control.in)
printf 'zentab (%s) unstable; urgency=medium\n\n  * Built from the Zentab source tree.\n\n -- %s  %s\n' \
  "$version" "$maintainer" "$date" | gzip -9n >"$doc/changelog.gz"

mkdir -p "$root/DEBIAN"  # dpkg-shlibdeps knows a package's files by it
# dpkg-shlibdeps reads the source package's debian/control; a minimal one will do.
printf 'Source: zentab\n\nPackage: zentab\nArchitecture: any\n' >"$pkg/debian/control"
depends=$(cd "$pkg" && dpkg-shlibdeps -O debian/zentab/usr/bin/zentab | sed -n 's/^shlibs:Depends=//p')

size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" \
  -e "s/@DEPENDS@/$depends/" packaging/deb/control.in >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
find "$root" -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +

package=$out/zentab_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$package" >/dev/null
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$package" >&2
fi
build_python_package
echo "$package"
