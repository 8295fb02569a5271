#!/usr/bin/env bash
# Builds the benchmarks optimised and prints their tables.
#   bench/run.sh            (build folder: build-bench, or $PELMAR_BENCH_BUILD)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/deps.sh"
ensure_packages build

build=${PELMAR_BENCH_BUILD:-$here/build-bench}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMAR_UI=OFF >/dev/null
ninja -C "$build" macro_timing_bench >/dev/null
"$build/bench/macro_timing_bench"
