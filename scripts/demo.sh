#!/usr/bin/env bash
# Builds the library and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/quietly.sh
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
quietly "Building the demo..." build/demo-build.log bash -c "
  cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DVORLENT_BUILD_TESTS=OFF &&
  cmake --build build/demo --target vorlent_demo -j $jobs"
./build/demo/examples/vorlent_demo "$@"
