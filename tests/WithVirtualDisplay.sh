#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, and stops the display afterwards.
# The server picks a free display itself and tells which once it is ready: two tests that
# start at the same moment cannot take the same one, as they can with xvfb-run -a. It does
# not reset when its last client leaves: a reset drops a client that is still connecting,
# as the program is while a test's first probe comes and goes.
# Run as: WithVirtualDisplay.sh command [argument...]
set -euo pipefail
work=$(mktemp -d)
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
status=0
"$@" || status=$?
exit "$status"
