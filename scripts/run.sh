#!/usr/bin/env bash
# Installs what Pelmar needs, builds it and starts it. Arguments are passed
# to the program (for example --folder DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/deps.sh
ensure_packages run

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
exec build/bin/pelmar "$@"
