#!/usr/bin/env bash
# Runs one command file NAME.in through `yav --batch -i` from the build folder (the program's
# own folder, where examples/ and KT55RDLLS/ are built) and checks what it did:
# - standard output against NAME.out beside it, line by line; {{REGEX}} in an expected line
#   matches what necessarily varies (addresses and sizes the compiler chooses), the rest of the
#   line matches literally;
# - standard error against NAME.err the same way, or empty when there is no NAME.err;
# - the exit status: 0, or N when the script has a line "* status: N" among its first lines.
# NAME.stdin, when present, is the standard input (the answers to text prompts), else it is
# empty. A first line "* args: ..." adds command-line options; lines "* env: NAME=VALUE" among the
# first lines set the environment of the run (the simulator's fault injection, for one).
set -u
# Both paths absolute: the run happens in the program's folder.
yav="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
script="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
dir="$(dirname "$script")"
name="$(basename "$script" .in)"
run_dir="$(dirname "$yav")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Each run has its own settings file, so nothing of the machine or of other tests leaks in.
export YAV_INI="$work/YAVKT55R.INI"

[ -f "$dir/$name.out" ] || { echo "$name: no $name.out beside the script"; exit 1; }
args=$(sed -n '1s/^\* args: //p' "$script")
status=$(sed -n '1,5s/^\* status: \([0-9]*\).*/\1/p' "$script" | head -n 1)
status=${status:-0}
while IFS= read -r assignment; do
  export "${assignment?}"
done < <(sed -n '1,5s/^\* env: \([A-Za-z_][A-Za-z_0-9]*=.*\)$/\1/p' "$script")
answers=/dev/null
[ -f "$dir/$name.stdin" ] && answers="$dir/$name.stdin"

(cd "$run_dir" && timeout 120 "$yav" --batch $args -i "$script" >"$work/out" 2>"$work/err" <"$answers")
got=$?

# match EXPECTED ACTUAL: prints the lines that differ; exit status 1 when any does.
match() {
  perl -e '
    open(my $e, "<", $ARGV[0]) or die "$ARGV[0]: $!\n";
    open(my $a, "<", $ARGV[1]) or die "$ARGV[1]: $!\n";
    my @e = <$e>;
    my @a = <$a>;
    my $bad = 0;
    my $n = @e > @a ? scalar @e : scalar @a;
    for my $i (0 .. $n - 1) {
      my ($x, $y) = ($e[$i], $a[$i]);
      if (!defined $x || !defined $y) {
        printf "line %d: %s\n", $i + 1, defined $x ? "missing, expected: $x" : "not expected: $y";
        $bad = 1;
        last;
      }
      chomp $x;
      chomp $y;
      my $re = join "", map { /^\{\{(.*)\}\}$/s ? "(?:$1)" : quotemeta $_ } split /(\{\{.*?\}\})/, $x;
      next if $y =~ /^$re$/;
      printf "line %d:\n  expected: %s\n  actual:   %s\n", $i + 1, $x, $y;
      $bad = 1;
    }
    exit $bad;
  ' "$1" "$2"
}

ok=1
match "$dir/$name.out" "$work/out" >"$work/report" || { echo "standard output differs from $name.out:"; cat "$work/report"; ok=0; }
if [ -f "$dir/$name.err" ]; then
  match "$dir/$name.err" "$work/err" >"$work/report" || { echo "standard error differs from $name.err:"; cat "$work/report"; ok=0; }
elif [ -s "$work/err" ]; then
  echo "unexpected standard error:"
  cat "$work/err"
  ok=0
fi
if [ "$got" != "$status" ]; then
  echo "exit status $got, expected $status"
  ok=0
fi
[ $ok = 1 ]
