#!/bin/sh
# Fails when a shared library exports a C++ (mangled) symbol: the simulated libraries offer
# their C entry points and nothing else.
# usage: exports_check.sh NM LIBRARY...
nm=$1
shift
status=0
for lib in "$@"; do
  leaked=$("$nm" -D --defined-only "$lib" | awk '$3 ~ /^_Z/ { print $3 }')
  if [ -n "$leaked" ]; then
    echo "$lib exports C++ symbols:"
    echo "$leaked" | head -n 20
    status=1
  else
    echo "$lib: $("$nm" -D --defined-only "$lib" | awk '$2 ~ /[TD]/' | wc -l) entry points, no C++ symbols"
  fi
done
exit $status
