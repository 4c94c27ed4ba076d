#!/usr/bin/env bash
# Builds the library and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DVORLENT_BUILD_TESTS=OFF >/dev/null
cmake --build build/demo --target vorlent_demo -j "$jobs"
./build/demo/examples/vorlent_demo "$@"
