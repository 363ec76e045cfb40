#!/usr/bin/env bash
# The e2e runner itself: patterns match what they stand for and no more, and a script fails on
# output, standard error or an exit status it does not expect.
set -u
yav="$1"
runner="$(dirname "$0")/run-e2e.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0

# case NAME PASS|FAIL SCRIPT OUT [ERR]: writes NAME.in/.out(/.err) and runs the runner on them.
case_() {
  local name="$1" want="$2"
  printf '%b' "$3" >"$work/$name.in"
  printf '%b' "$4" >"$work/$name.out"
  [ $# -ge 5 ] && printf '%b' "$5" >"$work/$name.err"
  if "$runner" "$yav" "$work/$name.in" >"$work/$name.log" 2>&1; then got=PASS; else got=FAIL; fi
  if [ "$got" != "$want" ]; then
    echo "FAIL $name: the runner said $got, expected $want"
    cat "$work/$name.log"
    failed=1
  fi
}

case_ literal PASS 'x 6*7\n' 'x 6*7\n    6*7 = 42\n'
case_ literal-differs FAIL 'x 6*7\n' 'x 6*7\n    6*7 = 43\n'
case_ pattern PASS 'x 6*7\n' 'x 6*7\n    6*7 = {{[0-9]+}}\n'
case_ pattern-whole-line FAIL 'x 6*7\n' 'x 6*7\n    6*7 = {{[0-9]}}\n'
case_ pattern-literal-rest FAIL 'x 6*7\n' 'x 6*7\n    6+7 = {{[0-9]+}}\n'
case_ missing-line FAIL 'x 6*7\n' 'x 6*7\n    6*7 = 42\nx 1\n'
case_ extra-line FAIL 'x 6*7\nx 1\n' 'x 6*7\n    6*7 = 42\n'
case_ status-unexpected FAIL '* args: --strict\nx nosuch\n' '* args: --strict\nx nosuch\n#error: {{.*}}\n'
case_ status-declared PASS '* args: --strict\n* status: 1\nx nosuch\n' \
  '* args: --strict\n* status: 1\nx nosuch\n#error: {{.*}}\n'
case_ status-declared-not-given FAIL '* status: 1\nx 1\n' '* status: 1\nx 1\n    1 = 1\n'
# A prompt for a value goes to standard error.
prompt='load examples/demo/demo.s08\nu count ?\n'
prompted='load examples/demo/demo.s08\n{{.*}}\n{{.*}}\nu count ?\n'
case_ stderr-unexpected FAIL "$prompt" "$prompted"
case_ stderr-expected PASS "$prompt" "$prompted" 'Enter Expression: {{.*}}\n'
exit $failed
