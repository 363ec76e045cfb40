#!/bin/sh
# Runs every benchmark of this folder. usage: bench/run-all.sh [BUILD_DIR]   (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
"$here/sim_vs_shc08.sh" "$build/yav-sim"
# Loader: a program of 50,000 line records, generated, then loaded.
big=$(mktemp -d)/big.s08
"$build/gen_big_object" "$big" 50000
"$build/load_bench" "$big"
# Run control: C-line steps, per-step cost against program size, go and Stepping Mode speed.
"$here/run_control.sh" "$build"
# Source view: opening a generated 5,000-line C file and refreshing the view after a stop.
"$build/source_bench" 5000
# Views: refreshing every open window of the frame after a stop (offscreen).
"$build/views_bench" 200
