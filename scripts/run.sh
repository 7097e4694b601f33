#!/usr/bin/env bash
# Starts the program from its bundle. Without a display, runs it on a virtual
# one, so that `make run` never fails for want of a screen.
set -euo pipefail
build=${1:-build}
program="$build/Quillbarrow/bin/quillbarrow"
if [ ! -x "$program" ]; then
  echo "The program is not built: $program is missing." >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running Quillbarrow on a virtual X display (xvfb-run)."
  exec xvfb-run -a "$program"
fi
exec "$program"
