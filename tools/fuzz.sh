#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for the given number of seconds (30 by default)
# from its seed corpus. A crash, a sanitizer report or an oracle failure fails the run and
# leaves the input that caused it in the build tree; each target's executions a second are
# printed at the end.
# Run as: tools/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${PIVOLO_FUZZ_BUILD:-build/fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
    -DCMAKE_CXX_COMPILER=clang++ -DPIVOLO_WERROR=ON \
    -DPIVOLO_BUILD_FUZZ=ON -DPIVOLO_SANITIZE=address,undefined \
    -DPIVOLO_BUILD_TESTS=OFF -DPIVOLO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target pivolo_fuzz

# One target per core at a time: each is a single process, and the run takes half as long.
run_target() {
    local name=$1 corpus=$2
    local target="$build/fuzz/fuzz_$name"
    # What the fuzzer finds goes to a corpus of its own, not into the repository's.
    local found="$build/fuzz/found/$name"
    local artifacts="$build/fuzz/artifacts/$name"
    rm -rf "$found" "$artifacts" "$build/fuzz/$name.status"
    mkdir -p "$found" "$artifacts"
    local status=0
    "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$found" "$corpus" >"$build/fuzz/$name.log" 2>&1 ||
        status=$?
    echo "$status" >"$build/fuzz/$name.status"
}

names=()
running=0
for corpus in fuzz/corpus/*/; do
    name=$(basename "$corpus")
    names+=("$name")
    echo "== fuzz_$name: $seconds s"
    if [ "$running" -ge "$(nproc)" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    run_target "$name" "$corpus" &
    running=$((running + 1))
done
wait

failed=0
summary=()
for name in "${names[@]}"; do
    if [ "$(cat "$build/fuzz/$name.status")" = 0 ]; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz/$name.log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$build/fuzz/$name.log")
        summary+=("fuzz_$name: $runs runs, $rate a second")
    else
        tail -n 40 "$build/fuzz/$name.log"
        echo "FAIL: fuzz_$name; the input is in $build/fuzz/artifacts/$name" >&2
        summary+=("fuzz_$name: FAILED")
        failed=$((failed + 1))
    fi
done
printf '%s\n' "${summary[@]}"
echo "fuzz targets: $((${#summary[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
