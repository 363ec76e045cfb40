#!/bin/sh
# Starts the adapter: the yav of YAV_PROGRAM, else the one on the PATH. It runs from its own
# folder, where the cable and chip libraries are.
yav="${YAV_PROGRAM:-$(command -v yav)}"
if [ -z "$yav" ]; then
  echo "yav not found: set YAV_PROGRAM or put yav on the PATH" >&2
  exit 1
fi
cd "$(dirname "$yav")" && exec "$yav" --dap
