#!/usr/bin/env bash
# Runs protocol.test.mjs against ZENTAB with the protocol library at the
# versions package-lock.json pins, installed beside the test as tests/web's are.
# Usage: run_protocol_test.sh ZENTAB
set -euo pipefail
zentab=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
# npm ci again only when the lock has changed since the last install.
if [ ! node_modules/.package-lock.json -nt package-lock.json ]; then
  npm ci --no-audit --no-fund --silent
fi
ZENTAB_BIN=$zentab node --test --test-concurrency=1 protocol.test.mjs
