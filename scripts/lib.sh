# Sourced by the scripts, after set -euo pipefail:
#   source "$(dirname "$0")/lib.sh"
# Where the project is, how many build jobs to run (ZENTAB_JOBS, else one per
# core), the version, which project() in CMakeLists.txt holds, and running a
# command as root (through sudo when not root already).

zentab_root() (
  cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd
)

zentab_jobs() {
  echo "${ZENTAB_JOBS:-$(nproc)}"
}

zentab_version() {
  sed -n 's/^project([A-Za-z_]* VERSION \([0-9.]*\).*/\1/p' "$(zentab_root)/CMakeLists.txt"
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
