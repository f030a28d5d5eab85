#!/usr/bin/env bash
# Builds the benchmarks in release mode and prints the solver's timings: the median of
# five runs of each.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPIVOLO_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --target pivolo_bench
echo "load: $(uptime)"
exec build/bench/bench/pivolo_bench --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true "$@"
