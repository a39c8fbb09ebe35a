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
echo "$package"
