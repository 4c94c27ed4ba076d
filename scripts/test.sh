#!/usr/bin/env bash
# Builds the benchmarks in Release (building them is their check here; run
# them by hand from build/bench/bench/), then builds every test under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them all. Extra
# arguments go to ctest (for example `-L time` for one area).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVORLENT_BUILD_TESTS=OFF \
  -DVORLENT_BUILD_EXAMPLES=OFF -DVORLENT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/bench -j "$jobs" >/dev/null
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DVORLENT_SANITIZE=ON >/dev/null
cmake --build build/test -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure -j "$jobs" "$@"
