#!/usr/bin/env bash
# Builds the program and the benchmarks optimised (Release) and prints one table of
# measures, targets and methods, all taken in this run.
#   bash bench/run.sh       (build folder: build-bench, or $PELMAR_BENCH_BUILD)
# The start-up and idle measures run the real pelmar on a virtual X server (xvfb-run).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/deps.sh"
ensure_packages bench

build=${PELMAR_BENCH_BUILD:-$here/build-bench}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMAR_UI=ON >/dev/null
log="$build/bench-build.log"
if ! ninja -C "$build" pelmar pelmar_bench >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/pelmar_bench" "$build/bin"
