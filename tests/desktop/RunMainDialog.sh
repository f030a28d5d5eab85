#!/usr/bin/env bash
# The program as a player meets it, on a virtual X display: the main dialog opens with its
# title and size, Enter leaves it open, the sound button asks its question in a box titled
# after the program, and Escape ends the program with status 0.
# Run as: WithVirtualDisplay.sh RunMainDialog.sh path/to/pivolo
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
# Waits until the command succeeds, for at most 20 s.
wait_for() {
    for _ in $(seq 200); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}
visible() { xdotool search --onlyvisible --name "$1"; }

"$program" &
pid=$!
wait_for visible '^Le pivolo$' || fail "the main dialog did not open"
dialog=$(visible '^Le pivolo$' | head -1)
geometry=$(xdotool getwindowgeometry "$dialog" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "477x301" ] || fail "the dialog is $geometry, not 477x301"

box_closes() { wait_for bash -c "! xdotool search --onlyvisible --name '^pivolo\$'"; }
xdotool windowfocus --sync "$dialog"
# Enter computes: every edit is empty, so the first tile is refused, in a box.
xdotool key Return
wait_for visible '^pivolo$' || fail "Enter showed no box titled pivolo"
kill -0 "$pid" 2>/dev/null || fail "the program ended on Enter"
xdotool key Return
box_closes || fail "the box stayed open"
# The sound button, in the middle of its template rectangle, once no box holds the dialog.
xdotool mousemove --window "$dialog" 417 166 click 1
wait_for visible '^pivolo$' || fail "no question box titled pivolo"
xdotool key Return
box_closes || fail "the question stayed open"

xdotool windowfocus --sync "$dialog"
# Into the target edit, so that no button has the focus.
xdotool mousemove --window "$dialog" 237 30 click 1
xdotool key Escape
wait_for bash -c "! kill -0 $pid" || fail "Escape did not end the program"
wait "$pid" || fail "the program ended with status $?"
echo "main dialog: 1 passed, 0 failed"
