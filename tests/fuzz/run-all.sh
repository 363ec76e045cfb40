#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time each: run-all.sh BUILD_DIR SECONDS
# Each target starts from the inputs kept in tests/fuzz/corpus/<target> (so a crash found once
# is tried again on every run) plus what earlier runs found in BUILD_DIR/corpus/<target>.
# A crash, leak or hang leaves its input in BUILD_DIR/<target>-crash-* (or leak-, timeout-);
# copy it into tests/fuzz/corpus/<target>/ once fixed. FUZZ_KEEP=1 merges the inputs that add
# coverage into the kept corpus.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
seconds="${2:-60}"
# The evaluator target loads the demo program built in the same tree.
export YAV_FUZZ_PROGRAM="${YAV_FUZZ_PROGRAM:-$build/examples/demo/demo.s08}"
if [ ! -f "$YAV_FUZZ_PROGRAM" ]; then
  echo "run-all.sh: no demo program at $YAV_FUZZ_PROGRAM (is sdcc installed? run make deps)" >&2
  exit 1
fi
# Commands that save settings write into the build tree, not into the user's settings.
export YAV_INI="$build/fuzz-home/YAVKT55R.INI"
status=0
for f in "$build"/fuzz_*; do
  [ -f "$f" ] && [ -x "$f" ] || continue
  name=$(basename "$f")
  kept="$here/corpus/$name"
  found="$build/corpus/$name"
  mkdir -p "$found" "$kept"
  max_len=4096
  [ "$name" = fuzz_docmd ] && max_len=16384  # command lines longer than 4 KB
  echo "== $name ($seconds s)"
  if ! "$f" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$build/$name-" "$found" "$kept" >"$build/$name.log" 2>&1; then
    status=1
    tail -40 "$build/$name.log"
  fi
  grep -E 'stat::number_of_executed_units|Done' "$build/$name.log" | tail -2 || true
  if [ "${FUZZ_KEEP:-0}" = 1 ]; then
    "$f" -merge=1 -max_len="$max_len" "$kept" "$found" >>"$build/$name.log" 2>&1 || status=1
  fi
done
exit $status
