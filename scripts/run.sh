#!/usr/bin/env bash
# Starts the program from its bundle; until it exists, says what was built.
set -euo pipefail
build=${1:-build}
program="$build/Quillbarrow/bin/quillbarrow"
if [ ! -x "$program" ]; then
  echo "The program itself is not built yet. Built so far:"
  find "$build/Quillbarrow" -type f | sort | sed 's/^/  /'
  echo "Libraries:"
  find "$build" -maxdepth 2 -name '*.a' | sort | sed 's/^/  /'
  exit 0
fi
exec "$program"
