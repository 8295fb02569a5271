#!/usr/bin/env bash
# Builds one fuzz target with clang's libFuzzer and runs it for a number of
# seconds on a copy of its seed corpus.
#   scripts/fuzz.sh TARGET [SECONDS]     e.g. scripts/fuzz.sh ini_reader 60
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
source "$here/scripts/deps.sh"
ensure_packages fuzz

build="$here/build-fuzz"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DPELMAR_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined" >/dev/null
ninja -C "$build" "${target}_fuzz"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$here/fuzz/corpus/$target/." "$work/" 2>/dev/null || true
"$build/bin/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 "$work"
