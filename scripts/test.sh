#!/usr/bin/env bash
# Builds everything in Release (benchmarks, examples and tests; building them
# is their check there: run the benchmarks by hand from build/bench/bench/),
# then builds every test under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them all. Extra arguments go to ctest (for example `-L time` for
# one area). With VORLENT_WERROR=ON (as CI runs it) a warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/quietly.sh
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
werror=${VORLENT_WERROR:-OFF}
quietly "Building in Release..." build/release-build.log bash -c "
  cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVORLENT_BUILD_BENCHMARKS=ON \
    -DVORLENT_WERROR=$werror &&
  cmake --build build/bench -j $jobs"
quietly "Building the tests with the sanitizers..." build/test-build.log bash -c "
  cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DVORLENT_SANITIZE=ON \
    -DVORLENT_WERROR=$werror &&
  cmake --build build/test -j $jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "Running the tests..."
log=build/test-run.log
if ctest --test-dir build/test --output-on-failure -j "$jobs" "$@" >"$log" 2>&1; then
  # CTest's summary: from its count of passed tests to the end.
  sed -n '/tests passed/,$p' "$log"
else
  status=$?
  cat "$log"
  exit "$status"
fi
