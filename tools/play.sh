#!/usr/bin/env bash
# Builds pivolo (installing any missing Debian package first) and starts it; with
# --practice, the practice program pivolo-entrainement, given the arguments that follow.
set -euo pipefail
cd "$(dirname "$0")/.."
target=pivolo
program=app/pivolo
if [ "${1:-}" = --practice ]; then
    target=pivolo-entrainement
    program=practice/pivolo-entrainement
    shift
fi
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DPIVOLO_BUILD_TESTS=OFF -DPIVOLO_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target "$target"
exec "build/release/$program" "$@"
