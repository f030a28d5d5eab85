#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from the build tree, its dependencies
# worked out by dpkg-shlibdeps, unpacked into a fresh directory tree with the program, the
# desktop entry, the icons and the metainfo where a desktop looks for them; the unpacked
# program then opens its main dialog and ends on Escape.
# Run as: RunPackage.sh path/to/build-tree
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package holds what is installed, and installing does not build.
cmake --build "$build" --target pivolo pivolo-solve >/dev/null
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb="$work/out/pivolo_1.31_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$work/out")"

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The names alone, without their versions.
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for package in libqt6widgets6 libqt6gui6 libqt6core6 libasound2 libc6 libstdc++6 libgcc-s1; do
    grep -Fxq "$package" <<<"$names" || fail "$package is not among the dependencies"
done
[ "$(dpkg-deb --field "$deb" Package)" = pivolo ] || fail "the package is not named pivolo"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/pivolo usr/bin/pivolo-solve \
    usr/share/applications/pivolo.desktop \
    usr/share/metainfo/org.pivolo.pivolo.metainfo.xml; do
    [ -f "$root/$file" ] || fail "$file is not in the package"
done
[ -x "$root/usr/bin/pivolo" ] || fail "usr/bin/pivolo cannot be run"
for size in 16 32 128; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/pivolo.png"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "no $size x $size icon: $icon"
done
desktop-file-validate "$root/usr/share/applications/pivolo.desktop" \
    || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.pivolo.pivolo.metainfo.xml" \
    >"$work/appstream.log" 2>&1 \
    || { cat "$work/appstream.log" >&2; fail "the metainfo is not valid"; }

"$here/run.sh" "$root/usr/bin/pivolo" launch_and_escape
echo "package: 1 passed, 0 failed"
