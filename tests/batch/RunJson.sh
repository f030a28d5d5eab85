#!/usr/bin/env bash
# --json of pivolo-solve (plain games, --all, --check) and of pivolo-stats (--games, the
# report): every line parsed back and found to say what the text says, on a few hundred random
# games, answers made from their solutions and changed, and refused lines among them.
# Run as: RunJson.sh path/to/pivolo-solve path/to/pivolo-stats
set -uo pipefail
solve=$1
stats=$2
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/../lib/checks.sh"

# Random games of the 28 tiles (the same on every run), then the table of the solver's games
# and refusals.
python3 - >"$work/games" <<'PY'
import random
r = random.Random(29)
tiles = [n for n in list(range(1, 11)) + [25, 50, 75, 100] for _ in (0, 1)]
for _ in range(300):
    print(*r.sample(tiles, 6), r.randint(100, 999))
PY
cat "$here/games.txt" >>"$work/games"

# The JSON of the arguments, rendered as text, against the text; the same exit status.
agree() {
    case_name=$1
    shift
    "$@" --json >"$work/json" 2>"$work/err"
    local json_status=$?
    "$@" >"$work/text" 2>/dev/null
    status=$?
    expect_status "$json_status"
    expect_no_err
    check "JSON unreadable or not the text: $(python3 "$here/JsonAsText.py" <"$work/json" 2>&1 |
        diff - "$work/text" | head -n 5)" \
        cmp -s <(python3 "$here/JsonAsText.py" <"$work/json") "$work/text"
}
agree games "$solve" -j2 "$work/games"
agree all_solutions "$solve" -j2 --all --max 2 "$work/games"

# Answers: each solution --all shows, as an expression and as steps, then changed (a number,
# an operator, a stated result, a parenthesis); the table of answers judged by hand.
"$solve" --all --max 2 --json "$work/games" >"$work/all.json" 2>/dev/null
python3 - "$work/all.json" "$work/ranks" >"$work/checks" <<'PY'
import json, random, sys
r = random.Random(30)
ranks = open(sys.argv[2], "w")
for line in open(sys.argv[1]):
    o = json.loads(line)
    for v in o.get("values", []):
        for s in v["shown"]:
            game = " ".join(map(str, o["tiles"])) + f" {o['target']} :"
            steps = "; ".join(f"{t['left']} {t['operator']} {t['right']} = {t['result']}"
                              for t in s["steps"])
            for kind, answer in (("expression", s["expression"]), ("steps", steps or s["expression"])):
                print(game, answer)
                # The answer's value, rank and count, which the judge must give back; steps
                # may be read as another solution, where a number may be a tile or a result.
                print(v["value"], s["rank"] if kind == "expression" else "-", v["solutions"],
                      file=ranks)
            changed = list(steps or s["expression"])
            i = r.randrange(len(changed))
            changed[i] = r.choice("123456789+-x/()=")
            print(game, "".join(changed))
PY
cat "$here/checks.txt" >>"$work/checks"
agree checks "$solve" -j2 --check "$work/checks"

# Every unchanged answer is valid, with the value, the count and (an expression) the rank of
# the solution it was made from.
case_name=round_trip
"$solve" -j2 --check --json "$work/checks" 2>/dev/null | python3 -c '
import json, sys
objects = [json.loads(line) for line in sys.stdin]
ranks = [line.split() for line in open(sys.argv[1])]
judged = [o for o in objects if "answer" in o]
unchanged = [o for i, o in enumerate(judged) if i % 3 != 2][:len(ranks)]
bad = [(o["answer"], want) for o, want in zip(unchanged, ranks)
       if not o["valid"] or [str(o["value"]), str(o["rank"]) if want[1] != "-" else "-",
                             str(o["solutions"])] != want]
print(len(unchanged), "answers of", len(ranks), len(bad), "wrong", bad[:3])
sys.exit(1 if bad or len(unchanged) != len(ranks) or len(ranks) < 500 else 0)
' "$work/ranks" >"$work/out"
status=${PIPESTATUS[1]}
check "round trip: $(cat "$work/out")" [ "$status" -eq 0 ]

# One answer given as arguments: the object of the same line, line ends in the answer and
# all.
case_name=check_arguments
"$solve" --check --json $'400 = 50 x 8\n402 = 400 + 2' 50 8 2 1 3 4 402 >"$work/out" 2>"$work/err"
status=$?
expect_status 0
expect_no_err
check "not valid: $(cat "$work/out")" python3 -c '
import json, sys
o = json.loads(open(sys.argv[1]).read())
sys.exit(0 if o["valid"] and o["value"] == 402 and o["line"] == 1
         and o["answer"] == "400 = 50 x 8\n402 = 400 + 2" and o["rank"] == 1 else 1)' "$work/out"

# pivolo-stats: the games of a few draws, and the report's counts, as the text gives them.
draws=(-d '1 1 2 2 3 3' -d '2 8 75 8 100 25' -d '1 2 3 4 5 100' -d '25 50 75 100 3 6')
case_name=stats_games
"$stats" -q "${draws[@]}" -t 0-999 --games --json >"$work/json" 2>"$work/err"
status=$?
expect_status 0
expect_no_err
"$stats" -q "${draws[@]}" -t 0-999 --games >"$work/text" 2>/dev/null
check "games differ" cmp -s "$work/text" <(python3 -c '
import json, sys
for line in sys.stdin:
    o = json.loads(line)
    print(*o["tiles"], o["target"], o["reached"])' <"$work/json")
case_name=stats_report
"$stats" -q "${draws[@]}" -t 0-999 --json >"$work/json" 2>"$work/err"
status=$?
expect_status 0
expect_no_err
"$stats" -q "${draws[@]}" -t 0-999 >"$work/text" 2>/dev/null
python3 - "$work/json" "$work/text" >"$work/out" <<'PY'
import json, re, sys
tables = {o["table"]: o for o in map(json.loads, open(sys.argv[1]))}
text = open(sys.argv[2]).read()
grouped = lambda n: f"{n:,}"
wanted = []
# The counts table: its draws, games and each distance, by number of large tiles.
counts = text.split("distance from\nthe target")[1].split("\n\n")[0]
cats = tables["distances"]["categories"]
names = [f"{d} away" for d in range(1, 11)]
rows = {"draws": [c["draws"] for c in cats],
        "games": [sum(c["games"]) for c in cats],
        "reached exactly": [c["games"][0] for c in cats],
        "more than 10 away": [c["games"][11] for c in cats]}
rows.update({names[d - 1]: [c["games"][d] for c in cats] for d in range(1, 11)})
for name, values in rows.items():
    wanted.append("  " + name + r"\s+" + r"\s+".join(map(grouped, values + [sum(values)])) + "\n")
for key, table in (("hardest_targets", "hardest"), ("easiest_targets", "easiest")):
    for t in tables[key]["targets"]:
        wanted.append(f"  {t['target']}" + r"\s+" + grouped(t["draws"]) + r"\s")
for d in tables["worst_draws"]["draws"]:
    wanted.append(" ".join(map(str, d["tiles"])) + r"\s+" + grouped(d["targets_reached"])
                  + r"\s+\S+\s+" + grouped(d["total_distance"]) + r"\s")
for d in tables["furthest_misses"]["draws"]:
    wanted.append(" ".join(map(str, d["tiles"])) + rf"\s+{d['target']}\s+{d['reached']}\s+{d['distance']}\n")
perfect = tables["perfect_draws"]
wanted.append(f"Draws that reach every target: {grouped(perfect['draws'])} of {grouped(tables['tally']['draws'])}")
missing = [w for w in wanted if not re.search(w, text)]
print(len(wanted), "checked", "missing:", missing[:3])
sys.exit(1 if missing else 0)
PY
status=$?
check "report: $(cat "$work/out")" [ "$status" -eq 0 ]

echo "JSON Lines: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
