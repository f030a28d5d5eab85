#!/usr/bin/env bash
# Bulk solving side by side with the reachable-values yardstick (bench/ReachableValues.cpp, a
# program of its own that only works out each draw's made values), all built in release
# mode, in one run, on inputs made from a fixed seed:
#   - random games: six tiles drawn from the 28-tile set, a target from 100 to 999, with
#     pivolo-solve --jobs 1 and --jobs 2;
#   - every target 0 to 999 of random draws of the 28-tile set, grouped by draw
#     (PIVOLO_DRAWS=all: of every draw, 19,383 multisets, 19.4 million lines), likewise;
#   - the whole 28-tile game: pivolo-stats -q --targets 0-999 --csv DIR --plot FILE.png and
#     the yardstick's --whole-game, each with one job and with two.
# Each program's output goes to /dev/null while it is timed; then the yardstick's nearest
# value of every game is compared with pivolo-solve's "reached:", and its tally of the whole
# game with pivolo-stats' categories.csv (PIVOLO_CHECK=0 leaves the comparisons out).
# Usage: tools/bench-bulk.sh   (PIVOLO_GAMES=n random games, 20000 by default;
# PIVOLO_DRAWS=n random draws with every target, 60 by default, or all; PIVOLO_SEED=n;
# PIVOLO_BUILD=DIR another build directory, build/release by default)
set -euo pipefail
cd "$(dirname "$0")/.."
games=${PIVOLO_GAMES:-20000}
draws=${PIVOLO_DRAWS:-60}
seed=${PIVOLO_SEED:-18}
check=${PIVOLO_CHECK:-1}
build=${PIVOLO_BUILD:-build/release}
out=build/bench-bulk
mkdir -p "$out"

echo "== building (release)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pivolo-solve pivolo-stats pivolo_reachable_values >/dev/null
solve=$build/tools/pivolo-solve
stats=$build/tools/pivolo-stats
yardstick=$build/bench/pivolo_reachable_values

echo "== generating the games (seed $seed)"
python3 - "$games" "$draws" "$seed" "$out" <<'PY'
import itertools, random, sys
games, draws, seed, out = int(sys.argv[1]), sys.argv[2], int(sys.argv[3]), sys.argv[4]
draw = random.Random(seed)
tiles = [v for v in list(range(1, 11)) + [25, 50, 75, 100] for _ in range(2)]
with open(f"{out}/random.txt", "w") as f:
    for _ in range(games):
        f.write(" ".join(map(str, draw.sample(tiles, 6) + [draw.randint(100, 999)])) + "\n")
if draws == "all":
    kinds = list(range(1, 11)) + [25, 50, 75, 100]
    chosen = [c for c in itertools.combinations_with_replacement(kinds, 6)
              if all(c.count(k) <= 2 for k in set(c))]
else:
    chosen = [draw.sample(tiles, 6) for _ in range(int(draws))]
with open(f"{out}/bulk.txt", "w") as f:
    for c in chosen:
        six = " ".join(map(str, c))
        f.write("".join(f"{six} {t}\n" for t in range(1000)))
PY
lines_random=$(wc -l < "$out/random.txt")
lines_bulk=$(wc -l < "$out/bulk.txt")
draws_bulk=$((lines_bulk / 1000))
draws_whole=19383

# "wall cpu" seconds of one run (cpu: user and system time of the process and its threads),
# its standard input from $input and its output to /dev/null.
timed() {
    local times
    times=$(mktemp)
    /usr/bin/time -o "$times" -f '%e %U %S' "$@" < "$input" > /dev/null || [ $? -eq 1 ]
    awk '{ printf "%.3f %.3f", $1, $2 + $3 }' "$times"
    rm -f "$times"
}
# job, program, "wall cpu", count, unit, the yardstick's "wall cpu"
row() {
    set -- "$1" "$2" $3 "$4" "$5" $6
    awk -v job="$1" -v prog="$2" -v wall="$3" -v cpu="$4" -v n="$5" -v unit="$6" -v bw="$7" \
        -v bc="$8" 'function ratio(a, b) { return b > 0 ? sprintf("%6.2fx", a / b) : "      -" }
        BEGIN { printf "%-26s %-27s %7.2f s %7.2f s %8.2f us/%-4s %8.2f us/%-4s %s %s\n",
                job, prog, wall, cpu, 1e6 * wall / n, unit, 1e6 * cpu / n, unit,
                ratio(wall, bw), ratio(cpu, bc) }'
}

echo "== load before: $(uptime)"
echo "(cpu: user and system time of all the program's threads; the ratios are to the yardstick's"
echo "wall and cpu times, its first row of each job)"
printf '%-26s %-27s %9s %9s %16s %16s %15s\n' job program wall cpu 'wall per' 'cpu per' 'vs yardstick'
input=$out/random.txt
job="random ($lines_random)"
y=$(timed "$yardstick")
row "$job" "reachable values" "$y" "$lines_random" game "$y"
row "$job" "pivolo-solve --jobs 1" "$(timed "$solve" --jobs 1 -q)" "$lines_random" game "$y"
row "$job" "pivolo-solve --jobs 2" "$(timed "$solve" --jobs 2 -q)" "$lines_random" game "$y"

input=$out/bulk.txt
job="every target ($lines_bulk)"
y=$(timed "$yardstick")
row "$job" "reachable values" "$y" "$lines_bulk" line "$y"
row "$job" "pivolo-solve --jobs 1" "$(timed "$solve" --jobs 1 -q)" "$lines_bulk" line "$y"
row "$job" "pivolo-solve --jobs 2" "$(timed "$solve" --jobs 2 -q)" "$lines_bulk" line "$y"

input=/dev/null
job="whole game ($draws_whole draws)"
y=$(timed "$yardstick" --whole-game --targets 0-999 --jobs 1)
row "$job" "reachable values --jobs 1" "$y" "$draws_whole" draw "$y"
y2=$(timed "$yardstick" --whole-game --targets 0-999 --jobs 2)
row "$job" "reachable values --jobs 2" "$y2" "$draws_whole" draw "$y"
for jobs in 1 2; do
    row "$job" "pivolo-stats --jobs $jobs" \
        "$(timed "$stats" -q --targets 0-999 --jobs "$jobs" --csv "$out/stats" \
            --plot "$out/stats.png")" "$draws_whole" draw "$y"
done
echo "== load after: $(uptime)"

if [ "$check" = 0 ]; then
    exit 0
fi
echo "== checking the yardstick against pivolo-solve and pivolo-stats"
status=0
for name in random bulk; do
    if cmp -s <("$yardstick" < "$out/$name.txt" | awk '{ print $8 }') \
        <("$solve" --jobs 2 -q "$out/$name.txt" | sed -n 's/^result: .* reached: //p'); then
        echo "$name.txt: the same value for each of its lines"
    else
        echo "$name.txt: the yardstick and pivolo-solve differ" >&2
        status=1
    fi
done
if cmp -s <("$yardstick" --whole-game --targets 0-999 --jobs 2) "$out/stats/categories.csv"; then
    echo "whole game: the same tally as pivolo-stats' categories.csv"
else
    echo "whole game: the yardstick's tally differs from pivolo-stats' categories.csv" >&2
    status=1
fi
exit $status
