#!/usr/bin/env bash
# Runs the end-to-end scenarios (pivolo_e2e.py) on a virtual X display of their own, with a
# session bus that carries the accessibility tree.
# Run as: run.sh path/to/pivolo [scenario...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${PIVOLO_E2E_BUS:-}" ]; then
    exec env PIVOLO_E2E_BUS=1 dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# The server picks a free display itself and tells which: two tests that start at the same
# moment cannot take the same one, as they can with xvfb-run -a.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"

# Debian's interpreter, which sees the system's pyatspi.
/usr/bin/python3 "$here/pivolo_e2e.py" "$@"
