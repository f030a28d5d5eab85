#!/usr/bin/env bash
# Builds pivolo-solve and pivolo-stats of a commit in release mode, in a git worktree under
# build/ (outside the tracked files), copies them to DIR and removes the worktree again; with
# "." for the commit, this tree as it stands. The side-by-side scripts of bench/ run on both.
# Usage: bench/build-tree.sh COMMIT DIR
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$1
dir=$2
mkdir -p "$dir"
if [ "$commit" = . ]; then
    src=.
    build=build/release
else
    src=build/tree-$(git rev-parse --short "$commit")
    build=$src-build
    git worktree remove --force "$src" 2>/dev/null || true
    git worktree add --quiet --detach "$src" "$commit"
    trap 'git worktree remove --force "$src"; rm -rf "$build"' EXIT
fi
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPIVOLO_BUILD_TESTS=OFF \
    -DPIVOLO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target pivolo-solve pivolo-stats >/dev/null
cp "$build/tools/pivolo-solve" "$build/tools/pivolo-stats" "$dir/"
