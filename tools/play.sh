#!/usr/bin/env bash
# Builds pivolo (installing any missing Debian package first) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DPIVOLO_BUILD_TESTS=OFF -DPIVOLO_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target pivolo
exec build/release/app/pivolo
