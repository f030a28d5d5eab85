#!/usr/bin/env bash
# What each speed-up of the game core buys: the instructions (callgrind) of this tree's
# programs, built in release mode, with every speed-up and with each one turned off in turn
# (PIVOLO_WITHOUT, game/SpeedUps.h), on the bench's inputs (bench/inputs.sh), smaller here so
# that the slow runs without a speed-up stay short: 2,000 random games and every target of
# 10 draws (pivolo-solve --jobs 1), and pivolo-stats -q --targets 0-999 --jobs 1 for the
# speed-ups of the group table and the window, which alone serve it. Each figure is the
# instructions without the speed-up divided by those with it: what the speed-up buys.
# Usage: bench/speed-ups.sh [names...]   (every speed-up by default)
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/speed-ups
mkdir -p "$out"
command -v valgrind >/dev/null || tools/install-deps.sh
bench/build-tree.sh . "$out/now"
bench/inputs.sh "$out" 2000 10 0
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    names=(groups first-steps deeper-lists short-lists three-kept near-by-groups ask-whole
           product-after-sum first-five need-all pair-sums equal-tiles)
fi
# The speed-ups that pivolo-stats uses: those of the group table and the window.
stats_names=" first-five need-all pair-sums equal-tiles "

instructions() {
    (cd "$out" && PIVOLO_WITHOUT=$1 valgrind --tool=callgrind --callgrind-out-file=/dev/null \
        "${@:2}" 2>&1 >/dev/null | sed -n 's/.*Collected : //p')
}
run_all() {
    local without=$1 with_stats=$2
    echo "$(instructions "$without" now/pivolo-solve --jobs 1 -q random.txt)" \
        "$(instructions "$without" now/pivolo-solve --jobs 1 -q every.txt)" \
        "$([ "$with_stats" = 1 ] && instructions "$without" now/pivolo-stats -q --targets 0-999 \
            --jobs 1 || echo -)"
}

echo "== load before: $(uptime)"
read -r base_random base_every base_stats <<< "$(run_all "" 1)"
printf '%-18s %20s %20s %20s\n' speed-up "random games" "every target" "pivolo-stats"
awk -v r="$base_random" -v e="$base_every" -v s="$base_stats" \
    'BEGIN { printf "%-18s %12.3fG %6s %12.3fG %6s %12.3fG\n", "(all on)", r / 1e9, "", e / 1e9, "", s / 1e9 }'
for name in "${names[@]}"; do
    with_stats=0
    [[ "$stats_names" == *" $name "* ]] && with_stats=1
    read -r random every stats <<< "$(run_all "$name" "$with_stats")"
    awk -v n="$name" -v r="$random" -v e="$every" -v s="$stats" -v br="$base_random" \
        -v be="$base_every" -v bs="$base_stats" \
        'function cell(x, b) { return x == "-" ? sprintf("%20s", "-") : sprintf("%12.3fG %6.2fx", x / 1e9, x / b) }
         BEGIN { printf "%-18s %s %s %s\n", n, cell(r, br), cell(e, be), cell(s, bs) }'
done
echo "== load after: $(uptime)"
