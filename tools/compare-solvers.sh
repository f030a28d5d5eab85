#!/usr/bin/env bash
# Measures this tree's solver side by side with an earlier one (by default commit a68e607,
# the solver before the tiles' tables guided the search), both built in release mode:
#   - pivolo-solve's throughput on the same random games (six tiles drawn from the set, a
#     target from 0 to 999), on one core and on every core, and whether the two outputs
#     are the same byte for byte;
#   - the hardest games, game by game;
#   - the first game of a process, in fresh processes.
# Usage: tools/compare-solvers.sh [earlier commit]   (PIVOLO_GAMES=n changes the count)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
before=${1:-a68e607}
games=${PIVOLO_GAMES:-10000}
out=build/compare
mkdir -p "$out"

echo "== building this tree and $before (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target pivolo-solve pivolo_time_games >/dev/null
rm -rf "$out/before-src"
mkdir -p "$out/before-src"
git archive "$before" | tar -x -C "$out/before-src"
cmake -S "$out/before-src" -B "$out/before-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DPIVOLO_BUILD_TESTS=OFF -DPIVOLO_BUILD_BENCH=OFF >/dev/null
cmake --build "$out/before-build" --target pivolo-solve pivolo_game >/dev/null
# The same game-by-game timer, built against the earlier solver's library.
c++ -O2 -std=c++20 -I"$out/before-src/game" -I"$out/before-src/platform" \
    bench/TimeGames.cpp "$out/before-build/game/libpivolo_game.a" \
    "$out/before-build/platform/libpivolo_platform_core.a" -o "$out/time-games-before"
now_solve=build/release/tools/pivolo-solve
before_solve=$out/before-build/tools/pivolo-solve
now_time=build/release/bench/pivolo_time_games
before_time=$out/time-games-before

python3 - "$games" > "$out/games.txt" <<'EOF'
import random, sys
draw = random.Random(12)
tiles = [v for v in list(range(1, 11)) + [25, 50, 75, 100] for _ in range(2)]
for _ in range(int(sys.argv[1])):
    print(*draw.sample(tiles, 6), draw.randint(0, 999))
EOF

# Best of three runs: the quietest gives the figure nearest to an idle machine.
best_seconds() {
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" < "$out/games.txt" > "$out/last.txt" || [ $? -eq 1 ]
        end=$(date +%s.%N)
        echo "$start $end"
    done | awk '{ d = $2 - $1; if (NR == 1 || d < best) best = d } END { printf "%.3f", best }'
}
rate() { awk -v n="$games" -v t="$1" 'BEGIN { printf "%8.0f games/s (%.3f s)", n / t, t }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "x%.1f", a / b }'; }

echo "== load before: $(uptime)"
echo "== pivolo-solve on $games random games, best of 3 ($(nproc) cores)"
t_before=$(best_seconds "$before_solve")
cp "$out/last.txt" "$out/before.txt"
t_one=$(best_seconds "$now_solve" --jobs 1)
cp "$out/last.txt" "$out/now.txt"
t_all=$(best_seconds "$now_solve")
echo "  $before, one core:    $(rate "$t_before")"
echo "  now, --jobs 1:        $(rate "$t_one")   $(ratio "$t_before" "$t_one")"
echo "  now, every core:      $(rate "$t_all")   $(ratio "$t_before" "$t_all")"
if cmp -s "$out/before.txt" "$out/now.txt" && cmp -s "$out/before.txt" "$out/last.txt"; then
    echo "  outputs: the same, byte for byte"
else
    echo "  outputs: DIFFERENT (see $out/before.txt, now.txt, last.txt)"
    exit 1
fi

hard="25 3 5 4 75 50 889
5 50 75 25 9 100 956
25 25 100 10 7 75 973
2 8 75 8 100 25 387
1 1 2 2 3 3 999
1 2 3 4 5 6 999"
echo "== the hardest games, best of 21 solves each"
echo "  $before:"
echo "$hard" | "$before_time" 20 | sed 's/^/    /; s/first [^,]*, //'
echo "  now:"
echo "$hard" | "$now_time" 20 | sed 's/^/    /; s/first [^,]*, //'

echo "== the first game of a process, 20 fresh processes each (slowest, then median)"
for side in before now; do
    timer=$now_time
    [ "$side" = before ] && timer=$before_time
    while read -r game; do
        for _ in $(seq 20); do
            echo "$game" | "$timer" 0 | sed 's/.*first \([0-9.]*\) ms.*/\1/'
        done | sort -g | awk -v side="$side" -v game="$game" \
            '{ t[NR] = $1 } END { printf "  %-6s %-24s slowest %.3f ms, median %.3f ms\n", side, game, t[NR], t[int((NR + 1) / 2)] }'
    done <<< "$hard"
done
echo "== load after: $(uptime)"
