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
# The programs of a job run in turn, PIVOLO_ROUNDS times (5 by default; once for every
# target of every draw), and each row gives the round of median wall time: a moment when the
# machine is slower falls on every program of the job alike, and one such moment moves no
# median. Each program's output goes to /dev/null while it is timed; then the yardstick's nearest
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
rounds=${PIVOLO_ROUNDS:-5}
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
# Runs the commands (strings of words) in turn, $1 rounds; medians[k] is then the "wall cpu"
# of command k's round of median wall time.
medians=()
rounds_of() {
    local n=$1
    shift
    local dir r k
    dir=$(mktemp -d)
    for ((r = 0; r < n; ++r)); do
        for ((k = 1; k <= $#; ++k)); do
            # shellcheck disable=SC2086 # the words of the command
            { timed ${!k}; echo; } >> "$dir/$k"
        done
    done
    medians=()
    for ((k = 1; k <= $#; ++k)); do
        medians+=("$(sort -n "$dir/$k" | awk '{ a[NR] = $0 } END { print a[int((NR + 1) / 2)] }')")
    done
    rm -rf "$dir"
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
echo "(median of $rounds rounds; cpu: user and system time of all the program's threads; the ratios"
echo "are to the yardstick's wall and cpu times, its first row of each job)"
printf '%-26s %-27s %9s %9s %16s %16s %15s\n' job program wall cpu 'wall per' 'cpu per' 'vs yardstick'
input=$out/random.txt
job="random ($lines_random)"
rounds_of "$rounds" "$yardstick" "$solve --jobs 1 -q" "$solve --jobs 2 -q"
row "$job" "reachable values" "${medians[0]}" "$lines_random" game "${medians[0]}"
row "$job" "pivolo-solve --jobs 1" "${medians[1]}" "$lines_random" game "${medians[0]}"
row "$job" "pivolo-solve --jobs 2" "${medians[2]}" "$lines_random" game "${medians[0]}"

input=$out/bulk.txt
job="every target ($lines_bulk)"
rounds_of "$([ "$draws" = all ] && echo 1 || echo "$rounds")" \
    "$yardstick" "$solve --jobs 1 -q" "$solve --jobs 2 -q"
row "$job" "reachable values" "${medians[0]}" "$lines_bulk" line "${medians[0]}"
row "$job" "pivolo-solve --jobs 1" "${medians[1]}" "$lines_bulk" line "${medians[0]}"
row "$job" "pivolo-solve --jobs 2" "${medians[2]}" "$lines_bulk" line "${medians[0]}"

input=/dev/null
job="whole game ($draws_whole draws)"
stats_args="-q --targets 0-999 --csv $out/stats --plot $out/stats.png"
rounds_of "$rounds" "$yardstick --whole-game --targets 0-999 --jobs 1" \
    "$yardstick --whole-game --targets 0-999 --jobs 2" \
    "$stats $stats_args --jobs 1" "$stats $stats_args --jobs 2"
row "$job" "reachable values --jobs 1" "${medians[0]}" "$draws_whole" draw "${medians[0]}"
row "$job" "reachable values --jobs 2" "${medians[1]}" "$draws_whole" draw "${medians[0]}"
row "$job" "pivolo-stats --jobs 1" "${medians[2]}" "$draws_whole" draw "${medians[0]}"
row "$job" "pivolo-stats --jobs 2" "${medians[3]}" "$draws_whole" draw "${medians[0]}"
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
# The yardstick counts draws and games; the ways of dealing them and the shares are left out.
if cmp -s <("$yardstick" --whole-game --targets 0-999 --jobs 2) \
    <(cut -d, -f1,2,4-16 "$out/stats/categories.csv"); then
    echo "whole game: the same tally as pivolo-stats' categories.csv"
else
    echo "whole game: the yardstick's tally differs from pivolo-stats' categories.csv" >&2
    status=1
fi
exit $status
