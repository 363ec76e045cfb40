#!/usr/bin/env bash
# Runs every *.in of a folder through `yav --batch -i` from the build folder (the program's own
# folder, where examples/ and KT55RDLLS/ are built) and compares stdout with the *.out beside it.
# A *.err beside it, when present, is compared with stderr too; a *.stdin is the standard input
# (the answers to text prompts), else it is empty. A first line "* args: ..." adds command-line
# options.
set -u
yav="$1"
dir="$2"
run_dir="$(dirname "$yav")"
# Each run has its own settings file, so nothing of the machine or of other tests leaks in.
export YAV_INI="$(mktemp -d)/YAVKT55R.INI"
pass=0
fail=0
for in in "$dir"/*.in; do
  name="$(basename "$in" .in)"
  expected="$dir/$name.out"
  [ -f "$expected" ] || { echo "SKIP $name: no $name.out"; continue; }
  args=$(sed -n '1s/^\* args: //p' "$in")
  answers=/dev/null
  [ -f "$dir/$name.stdin" ] && answers="$dir/$name.stdin"
  actual_out=$(mktemp)
  actual_err=$(mktemp)
  (cd "$run_dir" && timeout 120 "$yav" --batch $args -i "$in" >"$actual_out" 2>"$actual_err" <"$answers")
  ok=1
  diff -u "$expected" "$actual_out" >"$actual_out.diff" || ok=0
  if [ -f "$dir/$name.err" ]; then
    diff -u "$dir/$name.err" "$actual_err" >>"$actual_out.diff" || ok=0
  fi
  if [ $ok = 1 ]; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1))
    echo "FAIL $name"
    cat "$actual_out.diff"
  fi
  rm -f "$actual_out" "$actual_err" "$actual_out.diff"
done
echo "e2e: $pass passed, $fail failed"
[ $fail = 0 ]
