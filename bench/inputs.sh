#!/usr/bin/env bash
# Writes the bench's inputs into DIR, from a fixed seed: random.txt (six tiles drawn from the
# 28-tile set and a target from 0 to 999, one game a line), every.txt (every target 0 to 999
# of random draws, a draw's lines together) and all.txt (random games for pivolo-solve --all).
# Usage: bench/inputs.sh DIR [random games] [draws] [--all games] [seed]
set -euo pipefail
dir=$1
mkdir -p "$dir"
python3 - "$dir" "${2:-20000}" "${3:-100}" "${4:-2000}" "${5:-28}" <<'PY'
import random, sys
out, games, draws, all_games, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
draw = random.Random(seed)
tiles = [v for v in list(range(1, 11)) + [25, 50, 75, 100] for _ in range(2)]
def game():
    return " ".join(map(str, draw.sample(tiles, 6) + [draw.randint(0, 999)])) + "\n"
with open(f"{out}/random.txt", "w") as f:
    f.writelines(game() for _ in range(games))
with open(f"{out}/every.txt", "w") as f:
    for _ in range(draws):
        six = " ".join(map(str, draw.sample(tiles, 6)))
        f.writelines(f"{six} {t}\n" for t in range(1000))
with open(f"{out}/all.txt", "w") as f:
    f.writelines(game() for _ in range(all_games))
PY
