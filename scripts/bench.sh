#!/usr/bin/env bash
# Runs every benchmark; each prints its ratios and fails when a target is missed.
set -uo pipefail
build=${1:-build}
status=0
for bench in "$build"/bench/bench_*; do
  [ -x "$bench" ] || continue
  echo "== ${bench##*/}"
  QT_QPA_PLATFORM=offscreen "$bench" || status=1
done
exit $status
