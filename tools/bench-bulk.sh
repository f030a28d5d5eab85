#!/usr/bin/env bash
# Bulk solving side by side with the reachable-values yardstick (bench/ReachableValues.cpp, a
# program of its own that only works out each draw's reachable values), both built in release
# mode, in one run:
#   - random games: six tiles drawn from the 28-tile set, a target from 100 to 999;
#   - every target 0 to 999 of every draw of the 28-tile set (19,383 multisets, each of 1 to
#     10, 25, 50, 75 and 100 at most twice), 19.4 million lines, grouped by draw;
# pivolo-solve with --jobs 1 and --jobs 2, its output to /dev/null, and the yardstick.
# Usage: tools/bench-bulk.sh   (PIVOLO_GAMES=n changes the number of random games,
# PIVOLO_DRAWS=n takes only the first n draws for the second job)
set -euo pipefail
cd "$(dirname "$0")/.."
games=${PIVOLO_GAMES:-100000}
draws=${PIVOLO_DRAWS:-19383}
out=build/bench-bulk
mkdir -p "$out"

echo "== building (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target pivolo-solve pivolo_reachable_values >/dev/null
solve=build/release/tools/pivolo-solve
yardstick=build/release/bench/pivolo_reachable_values

echo "== generating the games"
python3 - "$games" "$draws" "$out" <<'PY'
import itertools, random, sys
games, draws, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
draw = random.Random(18)
tiles = [v for v in list(range(1, 11)) + [25, 50, 75, 100] for _ in range(2)]
with open(f"{out}/random.txt", "w") as f:
    for _ in range(games):
        f.write(" ".join(map(str, draw.sample(tiles, 6) + [draw.randint(100, 999)])) + "\n")
kinds = list(range(1, 11)) + [25, 50, 75, 100]
every = [c for c in itertools.combinations_with_replacement(kinds, 6)
         if all(c.count(k) <= 2 for k in set(c))]
with open(f"{out}/all-draws.txt", "w") as f:
    for c in every[:draws]:
        tiles = " ".join(map(str, c))
        f.write("".join(f"{tiles} {t}\n" for t in range(1000)))
PY
lines_random=$(wc -l < "$out/random.txt")
lines_all=$(wc -l < "$out/all-draws.txt")

# Wall-clock seconds of one run, its output to /dev/null.
seconds() {
    local input=$1
    shift
    local start end
    start=$(date +%s.%N)
    "$@" < "$input" > /dev/null || [ $? -eq 1 ]
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }'
}
row() {
    awk -v job="$1" -v prog="$2" -v s="$3" -v n="$4" -v base="$5" \
        'BEGIN { printf "%-22s %-34s %9.2f s %9.2f us/line %7.2fx\n", job, prog, s, 1e6 * s / n, s / base }'
}

echo "== load before: $(uptime)"
echo "job                    program                              wall time       per line   vs yardstick"
y=$(seconds "$out/random.txt" "$yardstick")
row "random ($lines_random)" "reachable values" "$y" "$lines_random" "$y"
s=$(seconds "$out/random.txt" "$solve" --jobs 1)
row "random ($lines_random)" "pivolo-solve --jobs 1" "$s" "$lines_random" "$y"
s=$(seconds "$out/random.txt" "$solve" --jobs 2)
row "random ($lines_random)" "pivolo-solve --jobs 2" "$s" "$lines_random" "$y"
y=$(seconds "$out/all-draws.txt" "$yardstick")
row "every target ($lines_all)" "reachable values" "$y" "$lines_all" "$y"
s=$(seconds "$out/all-draws.txt" "$solve" --jobs 1)
row "every target ($lines_all)" "pivolo-solve --jobs 1" "$s" "$lines_all" "$y"
s=$(seconds "$out/all-draws.txt" "$solve" --jobs 2)
row "every target ($lines_all)" "pivolo-solve --jobs 2" "$s" "$lines_all" "$y"
echo "== load after: $(uptime)"
