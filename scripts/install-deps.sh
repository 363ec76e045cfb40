#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when something is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
      qt6-base-dev libgl1-mesa-dev sdcc sdcc-ucsim xvfb xauth libedit-dev nlohmann-json3-dev
      nodejs ccache)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm comes with some builds of nodejs; Debian's own nodejs needs the package beside it.
command -v npm >/dev/null 2>&1 || missing+=(npm)
if [ ${#missing[@]} -ne 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The adapter's tests drive it through the editors' own client library, pinned by the lock file.
dap_tests="$(cd "$(dirname "$0")/.." && pwd)/tests/dap"
if [ ! -f "$dap_tests/node_modules/.package-lock.json" ] ||
   [ "$dap_tests/package-lock.json" -nt "$dap_tests/node_modules/.package-lock.json" ]; then
  # Without the registry the build goes on; the adapter's test then says what is missing.
  (cd "$dap_tests" && npm ci --no-audit --no-fund --loglevel=error) ||
    echo "install-deps: npm ci in tests/dap failed: the DAP client tests cannot run" >&2
fi
