#!/usr/bin/env bash
# Builds the Debian packages, installs them with apt-get as a user would, runs
# the installed zentab and `man zentab` once, and builds a C program against
# libzentab-dev with pkg-config and with CMake. Needs root (or sudo) for
# apt-get, and what scripts/install-deps.sh installs. The packages it installs
# are removed again when it ends.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$(zentab_root)"

mapfile -t packages < <(bash scripts/build-deb.sh | grep '\.deb$')
package=${packages[-1]}  # zentab's

# Steps after this one, and whoever uses the machine next, find it as it was:
# a package this script installed is purged again, whether the checks pass or
# not, and an install cut short is finished or undone first.
names=(zentab libzentab1 libzentab-dev python3-zentab)
declare -A installed_before
for name in "${names[@]}"; do
  installed_before[$name]=$(dpkg-query -W -f '${Status}' "$name" 2>/dev/null || true)
done
restore() {
  as_root env DEBIAN_FRONTEND=noninteractive dpkg --configure -a >/dev/null || true
  for name in "${names[@]}"; do
    if [ "${installed_before[$name]}" != "install ok installed" ]; then
      as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$name" >/dev/null 2>&1 || true
    fi
  done
}
trap restore EXIT

as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall \
  "${packages[@]/#/./}" >/dev/null

zentab=$(command -v zentab)
if [ "$zentab" != /usr/bin/zentab ]; then
  echo "test-deb: zentab is $zentab, not the installed /usr/bin/zentab" >&2
  exit 1
fi
version=$(dpkg-query -W -f '${Version}' zentab)
[ "$(zentab --version)" = "zentab $version" ] || {
  echo "test-deb: zentab --version says '$(zentab --version)', the package $version" >&2
  exit 1
}
expected='+--+---+
|No|Qty|
+--+---+
|1 | 10|
+--+---+'
framed=$(printf 'No|Qty\n1|10\n' | zentab -f 6 -p H)
[ "$framed" = "$expected" ] || {
  printf 'test-deb: the installed zentab framed\n%s\n' "$framed" >&2
  exit 1
}
if [ ! -f /usr/share/man/man1/zentab.1.gz ]; then
  echo "test-deb: the man page was not installed; does a path-exclude in /etc/dpkg/dpkg.cfg.d drop /usr/share/man?" >&2
  exit 1
fi
page=$(MANPAGER=cat MANWIDTH=80 man zentab 2>&1)
grep -q 'zentab - frame a plain-text table' <<<"$page" || {
  printf 'test-deb: man zentab gave\n%s\n' "$page" >&2
  exit 1
}
depends=$(dpkg-query -W -f '${Depends}' zentab)
grep -q "libzentab1 (>= $version)" <<<"$depends" || {
  echo "test-deb: zentab depends on '$depends', not on libzentab1 (>= $version)" >&2
  exit 1
}
bash tests/capi/install_test.sh -
check_python_package() {
  local python_package
  python_package=$(dirname "$package")/python3-zentab_$(zentab_version)_$(dpkg --print-architecture).deb
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "./$python_package" >/dev/null
  local expected='┏━━┳━━━━━━┓
┃1 ┃ペン  ┃
┣━━╋━━━━━━┫
┃2 ┃ノート┃
┗━━┻━━━━━━┛' framed where
  # From /, so no zentab/ folder of this tree is imported instead.
  framed=$(cd / && /usr/bin/python3 -c "import zentab; print(zentab.frame([[1,'ペン'],[2,'ノート']]))")
  where=$(cd / && /usr/bin/python3 -c "import zentab; print(zentab.__file__)")
  [ "$framed" = "$expected" ] && [ "$where" = /usr/lib/python3/dist-packages/zentab/__init__.py ] || {
    printf 'test-deb: the installed Python package (%s) framed\n%s\n' "$where" "$framed" >&2
    exit 1
  }
  echo "test-deb: $python_package installed; import zentab works"
}
check_python_package
echo "test-deb: ${packages[*]} installed; zentab, man zentab and libzentab work"
