#!/usr/bin/env bash
# The reachable-values yardstick against the game's own programs: its nearest value must be
# pivolo-solve's "reached:" for every one of 3,000 random games (six tiles of the 28-tile set,
# a target from 0 to 999, a fixed seed), and pivolo-stats' for every target 0 to 999 of
# draws chosen for their hard cases: small tiles whose values end early, many equal tiles,
# large tiles whose products leave 32 bits, quotients of large values.
# Usage: bench/check-yardstick.sh YARDSTICK PIVOLO-SOLVE PIVOLO-STATS
set -euo pipefail
yardstick=$1
solve=$2
stats=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

awk 'BEGIN {
    srand(18)
    split("1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 25 25 50 50 75 75 100 100", set, " ")
    for (game = 0; game < 3000; game++) {
        n = 28
        for (i = 1; i <= n; i++)
            left[i] = set[i]
        line = ""
        for (k = 0; k < 6; k++) {
            j = int(rand() * n) + 1
            line = line left[j] " "
            left[j] = left[n--]
        }
        print line int(rand() * 1000)
    }
}' > "$tmp/random.txt"
"$yardstick" < "$tmp/random.txt" | awk '{ print $8 }' > "$tmp/yardstick.txt"
"$solve" -q --jobs 2 "$tmp/random.txt" | sed -n 's/^result: .* reached: //p' > "$tmp/solve.txt"
if ! cmp "$tmp/yardstick.txt" "$tmp/solve.txt"; then
    echo "random games: the yardstick and pivolo-solve differ:" >&2
    paste -d ' ' "$tmp/random.txt" "$tmp/yardstick.txt" "$tmp/solve.txt" | awk '$8 != $9' | head >&2
    exit 1
fi

draws=('1 1 2 2 3 3' '1 2 3 4 5 6' '2 8 8 25 75 100' '50 50 75 75 100 100' '25 25 50 75 100 100'
       '1 1 25 50 75 100' '7 7 9 9 10 10' '1 1 2 2 100 100' '3 3 5 7 75 75')
options=()
for draw in "${draws[@]}"; do
    options+=(--draw "$draw")
done
"$stats" -q --games --targets 0-999 "${options[@]}" > "$tmp/stats.txt"
awk '{ print $1, $2, $3, $4, $5, $6, $7 }' "$tmp/stats.txt" | "$yardstick" > "$tmp/yardstick.txt"
if ! cmp "$tmp/yardstick.txt" "$tmp/stats.txt"; then
    echo "every target: the yardstick and pivolo-stats differ:" >&2
    diff "$tmp/yardstick.txt" "$tmp/stats.txt" | head >&2
    exit 1
fi
echo "the yardstick agrees with pivolo-solve on $(wc -l < "$tmp/random.txt") random games" \
    "and with pivolo-stats on every target of ${#draws[@]} draws"
