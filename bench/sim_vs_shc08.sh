#!/bin/sh
# Speed of the simulator against the reference simulator shc08: the same CPU-bound SDCC
# programs run to their final loop in both; prints simulated instructions per second of each
# and the ratio (yav-sim / shc08). Times are the processes' CPU time (user + system) when
# /usr/bin/time is there, so that other work on a shared machine does not count; wall-clock
# time otherwise.
#
# A program that has a TIMERS variant (built with -DTIMERS: the same work with the timer and
# the real-time counter interrupting every millisecond) also runs that way, and the speed of
# that run against the plain one is printed (the simulator's peripherals cost).
#
# usage: bench/sim_vs_shc08.sh [YAV_SIM]     (default: build/yav-sim)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
yav_sim=${1:-$here/../build/yav-sim}
[ -x "$yav_sim" ] || { echo "yav-sim not found at $yav_sim (give its path)" >&2; exit 2; }
command -v sdcc >/dev/null || { echo "sdcc is not installed" >&2; exit 2; }
have_shc08=1
command -v shc08 >/dev/null || { have_shc08=0; echo "shc08 is not installed: measuring yav-sim only" >&2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# yav-sim runs this many times in a row (one run is too short to time well).
repeat=${YAV_BENCH_REPEAT:-20}

# timed N OUTPUT COMMAND...: runs the command N times with its output to OUTPUT; prints the
# seconds one run took.
timed() {
  n=$1 out=$2
  shift 2
  set -- sh -c 'k=0; while [ $k -lt "$0" ]; do "$@" || exit 1; k=$((k + 1)); done' "$n" "$@"
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f '%U %S' -o "$work/time" "$@" > "$out" 2>&1 < /dev/null
    awk -v n="$n" '{ printf "%.4f", ($1 + $2) / n }' "$work/time"
  else
    t0=$(date +%s.%N)
    "$@" > "$out" 2>&1 < /dev/null
    t1=$(date +%s.%N)
    echo "$t0 $t1 $n" | awk '{ printf "%.4f", ($2 - $1) / $3 }'
  fi
}

rate() { echo "$1 $2" | awk '{ if ($2 > 0) printf "%.0f", $1 / $2; else print "inf" }'; }

for src in "$here"/programs/*.c; do
  name=$(basename "$src" .c)
  sdcc -ms08 --out-fmt-ihx -o "$work/" "$src" >/dev/null 2>&1 || { echo "$name: sdcc failed" >&2; exit 1; }
  done_addr=$(awk '$3 == "_done" { print "0x" $2 }' "$work/$name.map")
  [ -n "$done_addr" ] || { echo "$name: no _done in the map file" >&2; exit 1; }

  secs=$(timed "$repeat" "$work/out" "$yav_sim" --chip GENERIC --max 1000000000 --until "$done_addr" "$work/$name.ihx")
  yav_inst=$(sed -n 's/^executed: \([0-9]*\) instructions.*/\1/p' "$work/out" | tail -n 1)
  yav_rate=$(rate "$yav_inst" "$secs")
  echo "$name: yav-sim $yav_inst instructions in $secs s: $yav_rate instructions/s"

  if grep -q TIMERS "$src"; then
    sdcc -ms08 --out-fmt-ihx -DTIMERS -o "$work/timers_$name.ihx" "$src" >/dev/null 2>&1 || { echo "$name: sdcc -DTIMERS failed" >&2; exit 1; }
    t_done=$(awk '$3 == "_done" { print "0x" $2 }' "$work/timers_$name.map")
    t_secs=$(timed "$repeat" "$work/out" "$yav_sim" --chip GENERIC --max 1000000000 --until "$t_done" "$work/timers_$name.ihx")
    t_inst=$(sed -n 's/^executed: \([0-9]*\) instructions.*/\1/p' "$work/out" | tail -n 1)
    t_time=$(sed -n 's/^time: \([0-9.]*\) us.*/\1/p' "$work/out" | tail -n 1)
    t_rate=$(rate "$t_inst" "$t_secs")
    echo "$name: yav-sim with timer and RTC interrupts $t_inst instructions in $t_secs s ($t_time simulated us): $t_rate instructions/s"
    echo "$name: ratio with/without timers = $(echo "$t_rate $yav_rate" | awk '{ printf "%.2f", $1 / $2 }')"
  fi

  if [ "$have_shc08" = 1 ]; then
    printf 'file "%s"\nreset\nbreak %s\nrun\nstate\nquit\n' "$work/$name.ihx" "$done_addr" > "$work/cmd"
    secs=$(timed 1 "$work/out" shc08 -t HCS08 -C "$work/cmd")
    ref_inst=$(sed -n 's/.*Inst= *\([0-9]*\).*/\1/p' "$work/out" | tail -n 1)
    ref_rate=$(rate "$ref_inst" "$secs")
    echo "$name: shc08   $ref_inst instructions in $secs s: $ref_rate instructions/s"
    echo "$name: ratio yav-sim/shc08 = $(echo "$yav_rate $ref_rate" | awk '{ printf "%.1f", $1 / $2 }')"
  fi
done
