#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from the build tree, the same bytes
# when made twice, its dependencies worked out by dpkg-shlibdeps, passed by Debian's own
# checks (lintian) without an error, a warning or a note, unpacked into a fresh directory
# tree with the programs, the desktop entry, the icons, the metainfo and the manual pages
# where a desktop and man(1) look for them; the unpacked program then opens its main dialog
# and ends on Escape, and the practice program opens its window and ends on Quitter.
# Run as: RunPackage.sh path/to/build-tree version
set -euo pipefail
build=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package holds what is installed, and installing does not build.
cmake --build "$build" --target pivolo pivolo-solve pivolo-stats pivolo-entrainement \
    pivolo_compressed_docs >/dev/null
# Made as a packager makes it, with no time given: the package takes its sources' own.
make_package() {
    (cd "$build" && env -u SOURCE_DATE_EPOCH cpack -G DEB -B "$1" >"$work/cpack.log" 2>&1) \
        || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
    [ -f "$1/pivolo_${version}_amd64.deb" ] || fail "no pivolo_${version}_amd64.deb in: $(ls "$1")"
}
make_package "$work/out"
deb="$work/out/pivolo_${version}_amd64.deb"

# Reproducible: made again in a later second, it is the same bytes, and its files bear the
# time of the sources' last commit (in a git checkout) rather than the time of the build.
started=$(date +%s)
while [ "$(date +%s)" = "$started" ]; do sleep 0.1; done
make_package "$work/again"
cmp "$deb" "$work/again/pivolo_${version}_amd64.deb" \
    || fail "two builds of the package differ"
source_dir=$(cd "$here/../.." && pwd)
if committed=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null) && [ -n "$committed" ]; then
    times=$(dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -t -v --full-time | awk '{print $4 " " $5}' | sort -u)
    [ "$times" = "$(date -u -d "@$committed" '+%Y-%m-%d %H:%M:%S')" ] \
        || fail "the package's files are not dated from the last commit ($committed): $times"
fi

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The names alone, without their versions.
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for package in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6core6 libasound2 libc6 libstdc++6 libgcc-s1; do
    grep -Fxq "$package" <<<"$names" || fail "$package is not among the dependencies"
done
[ "$(dpkg-deb --field "$deb" Package)" = pivolo ] || fail "the package is not named pivolo"
[ "$(dpkg-deb --field "$deb" Section)" = games ] || fail "the package is not in the section games"
[ "$(dpkg-deb --field "$deb" Recommends)" = fonts-dejavu-core ] \
    || fail "the package does not recommend the dialog's font"

# Notes included: every tag that lintian shows fails the test. What it overrides is in
# packaging/lintian-overrides, with the reason.
command -v lintian >/dev/null || fail "lintian is missing (tools/install-deps.sh installs it)"
if ! lintian -I --fail-on error,warning,info --tag-display-limit 0 "$deb" \
    >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    fail "lintian finds fault with the package"
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
programs=(pivolo pivolo-solve pivolo-stats pivolo-entrainement)
for file in usr/share/doc/pivolo/copyright usr/share/doc/pivolo/changelog.gz \
    usr/share/bash-completion/completions/pivolo-solve \
    usr/share/bash-completion/completions/pivolo-stats; do
    [ -f "$root/$file" ] || fail "$file is not in the package"
done
for program in "${programs[@]}"; do
    [ -x "$root/usr/games/$program" ] || fail "usr/games/$program is not in the package, or cannot be run"
done
for program in pivolo-solve pivolo-stats pivolo-entrainement; do
    [ "$("$root/usr/games/$program" --version)" = "$program $version" ] \
        || fail "the packaged $program does not give its version"
done
# The menu entries, each with its program, icons and metainfo.
for entry in pivolo:org.pivolo.pivolo pivolo-entrainement:org.pivolo.entrainement; do
    program=${entry%%:*}
    desktop=usr/share/applications/${entry#*:}.desktop
    metainfo=usr/share/metainfo/${entry#*:}.metainfo.xml
    for size in 16 32 128; do
        icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$program.png"
        file "$icon" | grep -q "PNG image data, $size x $size" || fail "no $size x $size icon: $icon"
    done
    [ -f "$root/$desktop" ] && [ -f "$root/$metainfo" ] || fail "$desktop or $metainfo is not in the package"
    grep -qx "Icon=$program" "$root/$desktop" || fail "$desktop does not show the icon $program"
    desktop-file-validate "$root/$desktop" || fail "$desktop is not valid"
    grep -qx "Exec=/usr/games/$program" "$root/$desktop" \
        || fail "$desktop does not start /usr/games/$program: $(grep ^Exec "$root/$desktop")"
    appstreamcli validate --no-net "$root/$metainfo" >"$work/appstream.log" 2>&1 \
        || { cat "$work/appstream.log" >&2; fail "$metainfo is not valid"; }
    # Software centres match the metainfo with the desktop entry by the entry's file name.
    grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$root/$metainfo" \
        || fail "$metainfo does not name $(basename "$desktop") as its launchable"
done
grep -qx 'Name=Le pivolo : entraînement' "$root/usr/share/applications/org.pivolo.entrainement.desktop" \
    || fail "the practice program's menu entry is not named Le pivolo : entraînement"

# The manual pages as man(1) finds them, in English and in the French locale's folder.
# The page is read whole before it is searched.
expect_manual() {
    local heading=$1
    shift
    MANPATH="$root/usr/share/man" MANWIDTH=80 man "$@" >"$work/manual.txt" 2>&1 || true
    grep -q "$heading" "$work/manual.txt" || fail "man $*: $(head -n 3 "$work/manual.txt")"
}
expect_manual '^NAME' pivolo
expect_manual '^EXIT STATUS' pivolo-solve
expect_manual '^EXIT STATUS' pivolo-stats
expect_manual '^CODE DE RETOUR' -L fr pivolo-stats
expect_manual '^NOM' -L fr pivolo
expect_manual '^CODE DE RETOUR' -L fr pivolo-solve
expect_manual '^EXIT STATUS' pivolo-entrainement
expect_manual '^CODE DE RETOUR' -L fr pivolo-entrainement

"$here/run.sh" "$root/usr/games/pivolo" launch_and_escape
"$here/run.sh" --practice "$root/usr/games/pivolo-entrainement" launch_and_quit
echo "package: 1 passed, 0 failed"
