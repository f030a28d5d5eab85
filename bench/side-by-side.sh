#!/usr/bin/env bash
# This tree's speed side by side with an earlier commit's (fffa74c unless given), both built
# in release mode (bench/build-tree.sh), in one run, on the bench's inputs (bench/inputs.sh):
#   - 20,000 random games, pivolo-solve --jobs 1;
#   - every target 0 to 999 of 100 random draws, pivolo-solve --jobs 1;
#   - pivolo-stats -q --targets 0-999 --jobs 1, the whole 28-tile game;
#   - pivolo-solve --jobs 1 --all on 2,000 random games.
# For each: the instructions executed (callgrind, which hardly moves from run to run) and the
# processor time (user and system, the median of PIVOLO_ROUNDS runs, 5 by default, the two
# trees in turn so that a busier moment of the machine falls on both), with this tree's
# ratio to the earlier one. The outputs of the two trees are compared too.
# Usage: bench/side-by-side.sh [commit]
set -euo pipefail
cd "$(dirname "$0")/.."
before=${1:-fffa74c}
rounds=${PIVOLO_ROUNDS:-5}
out=build/side-by-side
rm -rf "$out"
mkdir -p "$out"
command -v valgrind >/dev/null || tools/install-deps.sh

echo "== building this tree and $before (release)"
bench/build-tree.sh . "$out/now"
bench/build-tree.sh "$before" "$out/before"
bench/inputs.sh "$out"

jobs=("random games (20,000)|pivolo-solve --jobs 1 -q random.txt"
      "every target of 100 draws|pivolo-solve --jobs 1 -q every.txt"
      "pivolo-stats, targets 0-999|pivolo-stats -q --targets 0-999 --jobs 1"
      "--all, 2,000 random games|pivolo-solve --jobs 1 -q --all all.txt")

# The instructions of one run: TREE COMMAND...
instructions() {
    local tree=$1 program=$2
    shift 2
    (cd "$out" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$tree/$program" "$@" \
        2>&1 >/dev/null | sed -n 's/.*Collected : //p')
}
# The processor time of one run in seconds: TREE COMMAND...
seconds() {
    local tree=$1 program=$2
    shift 2
    (cd "$out" && /usr/bin/time -f '%U %S' -o times "$tree/$program" "$@" >/dev/null || [ $? -eq 1 ]
     awk '{ printf "%.3f\n", $1 + $2 }' times)
}
median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

echo "== load before: $(uptime)"
printf '%-30s %14s %14s %6s %9s %9s %6s\n' job "instr. before" "instr. now" ratio \
    "cpu bef." "cpu now" ratio
status=0
for job in "${jobs[@]}"; do
    name=${job%%|*}
    read -r -a command <<< "${job#*|}"
    if ! cmp -s <(cd "$out" && "before/${command[0]}" "${command[@]:1}") \
        <(cd "$out" && "now/${command[0]}" "${command[@]:1}"); then
        echo "$name: the outputs differ" >&2
        status=1
    fi
    i_before=$(instructions before "${command[@]}")
    i_now=$(instructions now "${command[@]}")
    for ((r = 0; r < rounds; ++r)); do
        seconds before "${command[@]}" >> "$out/cpu-before"
        seconds now "${command[@]}" >> "$out/cpu-now"
    done
    c_before=$(median < "$out/cpu-before")
    c_now=$(median < "$out/cpu-now")
    rm -f "$out/cpu-before" "$out/cpu-now"
    awk -v n="$name" -v ib="$i_before" -v in_="$i_now" -v cb="$c_before" -v cn="$c_now" \
        'BEGIN { printf "%-30s %13.3fG %13.3fG %6.2f %8.3fs %8.3fs %6.2f\n", n, ib / 1e9,
                 in_ / 1e9, in_ / ib, cb, cn, cn / cb }'
done
echo "== load after: $(uptime)"
exit $status
