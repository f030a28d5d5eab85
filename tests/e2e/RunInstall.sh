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
for file in games/pivolo games/pivolo-solve games/pivolo-stats games/pivolo-entrainement \
    share/applications/org.pivolo.pivolo.desktop share/metainfo/org.pivolo.pivolo.metainfo.xml \
    share/applications/org.pivolo.entrainement.desktop \
    share/metainfo/org.pivolo.entrainement.metainfo.xml \
    share/icons/hicolor/128x128/apps/pivolo-entrainement.png \
    share/man/man6/pivolo-entrainement.6.gz share/man/fr/man6/pivolo-entrainement.6.gz \
    share/man/man6/pivolo.6.gz share/man/man6/pivolo-solve.6.gz share/man/man6/pivolo-stats.6.gz \
    share/man/fr/man6/pivolo.6.gz share/man/fr/man6/pivolo-solve.6.gz \
    share/man/fr/man6/pivolo-stats.6.gz; do
    [ -f "$prefix/$file" ] || fail "$file is not installed: $(cd "$prefix" && find . -type f)"
done
grep -qx "Exec=$prefix/games/pivolo" "$prefix/share/applications/org.pivolo.pivolo.desktop" \
    || fail "the desktop entry does not start $prefix/games/pivolo"
grep -qx "Exec=$prefix/games/pivolo-entrainement" \
    "$prefix/share/applications/org.pivolo.entrainement.desktop" \
    || fail "the practice program's desktop entry does not start $prefix/games/pivolo-entrainement"

# The page is read whole before it is searched.
expect_manual() {
    local heading=$1
    shift
    MANPATH="$prefix/share/man" MANWIDTH=80 man "$@" >"$work/manual.txt" 2>&1 || true
    grep -q "$heading" "$work/manual.txt" || fail "man $*: $(head -n 3 "$work/manual.txt")"
}
expect_manual '^PIVOLO-SOLVE(6)' pivolo-solve
expect_manual '^PIVOLO-STATS(6)' pivolo-stats
expect_manual '^NOM' -L fr pivolo
expect_manual '^PIVOLO-ENTRAINEMENT(6)' pivolo-entrainement
echo "install: 1 passed, 0 failed"
