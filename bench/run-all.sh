#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs every benchmark program of a build made with -DBRELVO_BUILD_BENCH=ON, then the
# brelvo-cli / ffprobe comparison. Usage: bench/run-all.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1/bench" ]; then
  echo "Usage: bench/run-all.sh BUILD_DIR   (a build configured with -DBRELVO_BUILD_BENCH=ON)" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"

found=0
for program in "$build"/bench/*_bench; do
  [ -x "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true
  echo
done
if [ "$found" -eq 0 ]; then
  echo "run-all.sh: no benchmark programs in $build/bench" >&2
  exit 1
fi

"$here/compare.sh" "$build"
