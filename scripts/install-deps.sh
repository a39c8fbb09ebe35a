#!/usr/bin/env bash
# Installs what building and testing Zentab needs on Debian 12. Run as root
# (or through sudo); packages already present are left as they are.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libbenchmark-dev  # core, pipeline, tool, tests
  clang libclang-rt-14-dev                      # fuzzing
)

if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
