#!/usr/bin/env bash
# Builds pivolo with warnings as errors (installing any missing Debian package first) and
# runs every test, headless: no display and no sound card are needed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build=${PIVOLO_TEST_BUILD:-build/test}
# Line tables only (-g1): enough for the sanitizers' reports and a backtrace, and a fifth
# less time to build than full debugging information.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIVOLO_WERROR=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" ${PIVOLO_CMAKE_ARGS:-} >/dev/null
# PIVOLO_BUILD_TARGET: build only that target (what the tests then run needs).
cmake --build "$build" ${PIVOLO_BUILD_TARGET:+--target "$PIVOLO_BUILD_TARGET"}
export QT_QPA_PLATFORM=offscreen
# A test that hangs fails after five minutes rather than holding up the run.
ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)" ${PIVOLO_CTEST_ARGS:-}
