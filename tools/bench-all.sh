#!/usr/bin/env bash
# Builds pivolo-solve --all's game-by-game timer in release mode and prints its figures: the
# median and the slowest of random games (2,000 unless given) and of games with many
# solutions, and the peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPIVOLO_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --target pivolo_time_all
echo "load: $(uptime)"
exec build/bench/bench/pivolo_time_all "$@"
