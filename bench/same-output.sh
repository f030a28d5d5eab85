#!/usr/bin/env bash
# Whether this tree writes byte for byte what an earlier commit writes (fffa74c unless
# given), both built in release mode (bench/build-tree.sh):
#   - pivolo-solve on 600,000 random games (PIVOLO_GAMES), six tiles drawn from the 28-tile
#     set and a target from 0 to 999;
#   - pivolo-solve on every target 0 to 999 of 300 draws (PIVOLO_DRAWS): the hard ones the
#     tests name (small tiles whose values end early, large tiles, nearest values far off,
#     games only the second search reaches), then random ones;
#   - pivolo-solve --all on 5,000 random games (PIVOLO_ALL_GAMES);
#   - pivolo-stats' report and CSV files, both tile sets, targets 100-999 and 0-999.
# Prints one line a comparison and exits with 1 when any differs.
# Usage: bench/same-output.sh [commit]
set -euo pipefail
cd "$(dirname "$0")/.."
before=${1:-fffa74c}
out=build/same-output
rm -rf "$out"
mkdir -p "$out"
bench/build-tree.sh . "$out/now"
bench/build-tree.sh "$before" "$out/before"
bench/inputs.sh "$out" "${PIVOLO_GAMES:-600000}" 0 "${PIVOLO_ALL_GAMES:-5000}" 600
hard="1 1 2 2 3 3|2 8 75 8 100 25|25 3 5 4 75 50|5 50 75 25 9 100|25 25 100 10 7 75|1 2 3 4 5 6
100 100 75 75 50 50|10 10 9 9 8 8|1 3 1 100 3 50|50 100 3 100 1 50|2 100 25 100 50 75
1 1 2 2 3 4|100 100 75 75 50 25|1 1 2 3 3 2|9 9 10 10 1 1|75 50 100 1 100 3"
python3 - "$out/every.txt" "${PIVOLO_DRAWS:-300}" "$hard" <<'PY'
import random, sys
path, draws, hard = sys.argv[1], int(sys.argv[2]), sys.argv[3].replace("\n", "|").split("|")
draw = random.Random(300)
tiles = [v for v in list(range(1, 11)) + [25, 50, 75, 100] for _ in range(2)]
chosen = hard + [" ".join(map(str, draw.sample(tiles, 6))) for _ in range(draws - len(hard))]
with open(path, "w") as f:
    for six in chosen[:draws]:
        f.writelines(f"{six} {t}\n" for t in range(1000))
PY

status=0
# Runs a command of both trees and compares what they write: its standard output and the
# files it writes where its arguments say @DIR@.
same() {
    local name=$1 tree arg
    shift
    for tree in before now; do
        local args=()
        for arg in "${@:2}"; do
            args+=("${arg//@DIR@/$tree-files}")
        done
        mkdir -p "$out/$tree-files"
        (cd "$out" && "$tree/$1" "${args[@]}" --jobs 2 > "$tree-files/stdout") || [ $? -eq 1 ]
    done
    if diff -r -q "$out/before-files" "$out/now-files" >/dev/null; then
        echo "same:      $name ($(wc -l < "$out/now-files/stdout") lines of standard output," \
            "$(find "$out/now-files" -type f | wc -l) files)"
    else
        echo "DIFFERENT: $name" >&2
        status=1
    fi
    rm -rf "$out/before-files" "$out/now-files"
}
echo "== comparing with $before"
same "pivolo-solve, ${PIVOLO_GAMES:-600000} random games" pivolo-solve -q random.txt
same "pivolo-solve, every target of ${PIVOLO_DRAWS:-300} draws" pivolo-solve -q every.txt
same "pivolo-solve --all, ${PIVOLO_ALL_GAMES:-5000} random games" pivolo-solve -q --all all.txt
for set in 28 24; do
    same "pivolo-stats --set $set, report and CSV" pivolo-stats -q --set "$set" --csv @DIR@
    same "pivolo-stats --set $set --targets 0-999, report and CSV" pivolo-stats -q --set "$set" \
        --targets 0-999 --csv @DIR@
done
exit $status
