#!/bin/sh
# Runs every benchmark of this folder. usage: bench/run-all.sh [BUILD_DIR]   (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
"$here/sim_vs_shc08.sh" "$build/yav-sim"
