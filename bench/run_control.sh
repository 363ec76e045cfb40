#!/bin/sh
# Speed of run control, each figure from whole debugger runs in batch mode (start-up and load
# measured alone and taken off):
#  1. C-line steps per second on the demo program (steps over its calls, as a user steps);
#  2. the cost of one C-line step on a generated program of 1,000 and of 50,000 line records,
#     and their ratio (the per-step lookups must not grow with the program);
#  3. `go` to a breakpoint through the cable and chip libraries against yav-sim's own free run
#     of the same program, in the same run of this script;
#  4. Stepping Mode (five code breakpoints: instruction steps with the debugger's break test),
#     in instructions per second.
# usage: bench/run_control.sh [BUILD_DIR]      (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
yav=$build/yav
command -v sdcc >/dev/null || { echo "sdcc is not installed" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
repeat=${YAV_BENCH_REPEAT:-5}

# seconds N COMMAND...: wall-clock seconds of one run, the mean of N runs.
seconds() {
  n=$1
  shift
  t0=$(date +%s.%N)
  k=0
  while [ $k -lt "$n" ]; do "$@" >/dev/null 2>&1 </dev/null || true; k=$((k + 1)); done
  t1=$(date +%s.%N)
  echo "$t0 $t1 $n" | awk '{ printf "%.5f", ($2 - $1) / $3 }'
}
# batch SCRIPT: the debugger in batch mode from the build folder on a command file.
batch() { (cd "$build" && YAV_INI="$work/yav.ini" "$yav" --batch -i "$1"); }
per() { echo "$1 $2 $3" | awk '{ d = $2 - $3; if (d > 0) printf "%.0f", $1 / d; else print "inf" }'; }

printf '[TARGET]\nCHIP=QE128\n' >"$work/yav.ini"

# 1. The demo, stepped by C lines.
steps=2000
printf 'load examples/demo/demo.s08\nstep\n' >"$work/demo0.in"
printf 'load examples/demo/demo.s08\nstep\nstep %s\n' "$steps" >"$work/demo.in"
base=$(seconds "$repeat" batch "$work/demo0.in")
t=$(seconds "$repeat" batch "$work/demo.in")
echo "demo: $steps C-line steps in $(echo "$t $base" | awk '{ printf "%.4f", $1 - $2 }') s: $(per "$steps" "$t" "$base") steps/s"

# 2. Generated programs: every line one instruction, so the figure is the debugger's own cost.
steps=200000
for lines in 1000 50000; do
  "$build/gen_big_object" "$work/big$lines.s08" "$lines" --code >/dev/null
  printf 'load %s\nu $pc = func0\nstep\n' "$work/big$lines.s08" >"$work/big0.in"
  printf 'load %s\nu $pc = func0\nstep\nstep %s\n' "$work/big$lines.s08" "$steps" >"$work/big.in"
  base=$(seconds "$repeat" batch "$work/big0.in")
  t=$(seconds "$repeat" batch "$work/big.in")
  us=$(echo "$t $base $steps" | awk '{ printf "%.3f", ($1 - $2) * 1e6 / $3 }')
  echo "generated, $lines line records: $us us per C-line step"
  eval "cost$lines=$us"
done
echo "step cost 50,000 / 1,000 line records: $(echo "$cost50000 $cost1000" | awk '{ printf "%.2f", $1 / $2 }')"

# 3 and 4. A counted loop on the flat chip, run to done() by yav-sim, by `go` and in Stepping Mode.
printf '[TARGET]\nCHIP=GENERIC\n' >"$work/yav.ini"
sdcc -ms08 --out-fmt-ihx -o "$work/" "$here/run_control/loop.c" >/dev/null 2>&1 || { echo "sdcc failed" >&2; exit 1; }
done_addr=$(awk '$3 == "_done" { print "0x" $2 }' "$work/loop.map")
instructions=$("$build/yav-sim" --chip GENERIC --max 1000000000 --until "$done_addr" "$work/loop.ihx" |
  sed -n 's/^executed: \([0-9]*\) instructions.*/\1/p')
t_sim=$(seconds "$repeat" "$build/yav-sim" --chip GENERIC --max 1000000000 --until "$done_addr" "$work/loop.ihx")
printf 'load %s\n' "$work/loop.ihx" >"$work/loop0.in"
printf 'load %s\nb @%s\ngo\n' "$work/loop.ihx" "$done_addr" >"$work/go.in"
printf 'load %s\nb @%s, @0xF000, @0xF010, @0xF020, @0xF030\ngo\n' "$work/loop.ihx" "$done_addr" >"$work/stepping.in"
base=$(seconds "$repeat" batch "$work/loop0.in")
t_go=$(seconds "$repeat" batch "$work/go.in")
t_step=$(seconds "$repeat" batch "$work/stepping.in")
sim_rate=$(per "$instructions" "$t_sim" 0)
go_rate=$(per "$instructions" "$t_go" "$base")
echo "yav-sim free run: $instructions instructions: $sim_rate instructions/s"
echo "go to a breakpoint: $go_rate instructions/s ($(echo "$go_rate $sim_rate" | awk '{ printf "%.2f", $1 / $2 }') of yav-sim)"
echo "Stepping Mode: $(per "$instructions" "$t_step" "$base") instructions/s"
