#!/usr/bin/env bash
# Benchmarks processBlock against the leanest peer (CAPS Saturate 8x, from the caps package) and
# the bare oversampler round trip, and prints ours / peer per curve at x8 and the overheads.
# Extra arguments go to Google Benchmark (for example --benchmark_filter=x16).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh tests
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWKR_BUILD_TESTS=OFF -DWKR_BUILD_BENCH=ON >/dev/null
cmake --build build/bench --parallel "$(nproc)" --target WkrPlexa2Bench
build/bench/wkr-plexa2-bench "$@"
