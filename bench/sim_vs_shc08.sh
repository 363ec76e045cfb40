#!/bin/sh
# Whole-process speed of the simulator against the reference simulator shc08: the same
# CPU-bound SDCC programs run to their final loop in both; prints simulated instructions
# per second of each and the ratio (yav-sim / shc08).
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

now() { date +%s.%N; }

for src in "$here"/programs/*.c; do
  name=$(basename "$src" .c)
  sdcc -ms08 --out-fmt-ihx -o "$work/" "$src" >/dev/null 2>&1 || { echo "$name: sdcc failed" >&2; exit 1; }
  done_addr=$(awk '$3 == "_done" { print "0x" $2 }' "$work/$name.map")
  [ -n "$done_addr" ] || { echo "$name: no _done in the map file" >&2; exit 1; }

  t0=$(now)
  out=$("$yav_sim" --chip GENERIC --max 1000000000 --until "$done_addr" "$work/$name.ihx")
  t1=$(now)
  yav_inst=$(echo "$out" | sed -n 's/^executed: \([0-9]*\) instructions.*/\1/p')
  yav_rate=$(echo "$yav_inst $t0 $t1" | awk '{ printf "%.0f", $1 / ($3 - $2) }')
  echo "$name: yav-sim $yav_inst instructions in $(echo "$t0 $t1" | awk '{ printf "%.3f", $2 - $1 }') s: $yav_rate instructions/s"

  if [ "$have_shc08" = 1 ]; then
    printf 'file "%s"\nreset\nbreak %s\nrun\nstate\nquit\n' "$work/$name.ihx" "$done_addr" > "$work/cmd"
    t0=$(now)
    out=$(shc08 -t HCS08 -C "$work/cmd" < /dev/null 2>&1)
    t1=$(now)
    ref_inst=$(echo "$out" | sed -n 's/.*Inst= *\([0-9]*\).*/\1/p' | tail -n 1)
    ref_rate=$(echo "$ref_inst $t0 $t1" | awk '{ printf "%.0f", $1 / ($3 - $2) }')
    echo "$name: shc08   $ref_inst instructions in $(echo "$t0 $t1" | awk '{ printf "%.3f", $2 - $1 }') s: $ref_rate instructions/s"
    echo "$name: ratio yav-sim/shc08 = $(echo "$yav_rate $ref_rate" | awk '{ printf "%.1f", $1 / $2 }')"
  fi
done
