#!/usr/bin/env bash
# What cmake --install puts where: the programs where the system keeps games, the desktop
# entry that starts them by their full path, the metainfo, and the manual pages in English
# and in the French locale's folder, which man(1) then shows.
# Run as: RunInstall.sh path/to/build-tree
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
    || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
for file in games/pivolo games/pivolo-solve \
    share/applications/org.pivolo.pivolo.desktop share/metainfo/org.pivolo.pivolo.metainfo.xml \
    share/man/man6/pivolo.6.gz share/man/man6/pivolo-solve.6.gz \
    share/man/fr/man6/pivolo.6.gz share/man/fr/man6/pivolo-solve.6.gz; do
    [ -f "$prefix/$file" ] || fail "$file is not installed: $(cd "$prefix" && find . -type f)"
done
grep -qx "Exec=$prefix/games/pivolo" "$prefix/share/applications/org.pivolo.pivolo.desktop" \
    || fail "the desktop entry does not start $prefix/games/pivolo"

manual() { MANPATH="$prefix/share/man" MANWIDTH=80 man "$@" 2>&1; }
manual pivolo-solve | grep -q '^PIVOLO-SOLVE(6)' || fail "man pivolo-solve: $(manual pivolo-solve | head -3)"
manual -L fr pivolo | grep -q '^NOM' || fail "man -L fr pivolo: $(manual -L fr pivolo | head -3)"
echo "install: 1 passed, 0 failed"
