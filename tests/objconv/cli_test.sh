#!/usr/bin/env bash
# yav-objconv's command line on the held-out program's SDCC output: exit statuses and what it
# says on standard error. The program's start-up code sets SP to 0x17FF (--stack-loc 0x17FF):
# RAM on the QE128 (0x0080-0x17FF) and on the flat GENERIC chip, not on the QG8 (RAM
# 0x0060-0x025F).
set -u
conv="$1"
built="$2"
sources="$(dirname "$0")/programs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$built/params.cdb" "$built/params.s19" "$built/params.map" "$work/"
failed=0

# expect NAME STATUS STDERR-REGEX|'' ARGS...: an empty regex means nothing on standard error.
expect() {
  local name="$1" status="$2" pattern="$3"
  shift 3
  "$conv" "$@" 2>"$work/err" >/dev/null
  local got=$?
  if [ "$got" != "$status" ]; then
    echo "FAIL $name: exit $got, expected $status"; cat "$work/err"; failed=1
  elif [ -z "$pattern" ] && [ -s "$work/err" ]; then
    echo "FAIL $name: unexpected standard error:"; cat "$work/err"; failed=1
  elif [ -n "$pattern" ] && ! grep -Eq "$pattern" "$work/err"; then
    echo "FAIL $name: standard error does not match /$pattern/:"; cat "$work/err"; failed=1
  fi
}

expect default-chip 0 '' -I "$sources" "$work/params.cdb"
expect qe128 0 '' --chip QE128 -I "$sources" -o "$work/qe.s08" "$work/params.cdb"
expect generic 0 '' --chip GENERIC -I "$sources" -o "$work/g.s08" "$work/params.cdb"
expect qg8-stack 0 'SP to 0x17FF, outside the RAM of the QG8' --chip QG8 -I "$sources" -o "$work/q.s08" \
  "$work/params.cdb"
expect unknown-chip 2 'unknown chip NOSUCH' --chip NOSUCH "$work/params.cdb"
expect no-sources 0 'warning: source not found: params_main.c' -o "$work/n.s08" "$work/params.cdb"
rm "$work/params.map"
expect no-map 1 'cannot read .*params\.map' -I "$sources" -o "$work/m.s08" "$work/params.cdb"
[ -e "$work/m.s08" ] && { echo "FAIL no-map: wrote an object file"; failed=1; }
exit $failed
