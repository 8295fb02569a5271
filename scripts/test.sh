#!/usr/bin/env bash
# Installs what the tests need, builds Pelmar and runs every test: once in an
# optimised build, once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then the threaded tests once more under ThreadSanitizer.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/deps.sh
ensure_packages test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== optimised build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELMAR_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$here/scripts/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== ThreadSanitizer build of the threaded tests =="
# Only the core and the tests whose threads share state are built and run:
# the listener, the player, the lighting preview, the settings file under
# concurrent writers, and the stress test of the three threads together.
# Address-space randomisation is turned off for the run, since ThreadSanitizer
# cannot map its shadow memory under the high randomisation of newer kernels.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMAR_TSAN=ON \
  -DPELMAR_UI=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target pelmar_core_tests pelmar_preview_tests
TSAN_OPTIONS=halt_on_error=1 \
  setarch "$(uname -m)" -R ctest --test-dir build-tsan --output-on-failure -j "$jobs" \
  -R '^(HandleInputReportTest|InputListenerTest|MacroPlayer|Models/ThreadStressTest|LightingPreviewTest|IniConcurrency)'
