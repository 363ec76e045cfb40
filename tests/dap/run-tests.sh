#!/usr/bin/env bash
# Runs the adapter's client-library tests against the built program: run-tests.sh PATH/TO/yav
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
if [ ! -d "$here/node_modules/@vscode/debugadapter-testsupport" ]; then
  echo "the DAP client library is missing: run scripts/install-deps.sh (npm ci in tests/dap)" >&2
  exit 1
fi
export YAV_PROGRAM="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
cd "$here"
exec node --test --test-reporter=spec ./*.test.js
