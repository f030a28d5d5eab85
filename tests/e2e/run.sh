#!/usr/bin/env bash
# Runs the end-to-end scenarios (pivolo_e2e.py, window_manager.py under openbox, or
# wayland.py under weston; practice_e2e.py under openbox or weston for the practice
# program) on a virtual X display of their own, with a session bus that carries the
# accessibility tree and a runtime folder of their own.
# Run as: run.sh [--window-manager | --wayland | --practice | --practice-wayland]
#             path/to/program [scenario...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${PIVOLO_E2E_BUS:-}" ]; then
    # A runtime directory of the run's own, where the accessibility bus puts its socket: two
    # runs at once must not share one.
    runtime=$(mktemp -d)
    status=0
    env PIVOLO_E2E_BUS=1 XDG_RUNTIME_DIR="$runtime" dbus-run-session -- "$0" "$@" || status=$?
    rm -rf "$runtime"
    exit "$status"
fi
if [ -z "${PIVOLO_E2E_DISPLAY:-}" ]; then
    exec env PIVOLO_E2E_DISPLAY=1 "$here/../WithVirtualDisplay.sh" "$0" "$@"
fi
scenarios=pivolo_e2e.py
options=()
window_manager=
case "${1:-}" in
--window-manager) scenarios=window_manager.py window_manager=1 ;;
--practice) scenarios=practice_e2e.py window_manager=1 ;;
--wayland | --practice-wayland)
    # Each scenario starts its own weston, whose socket goes into the runtime folder.
    chmod 700 "$XDG_RUNTIME_DIR"
    scenarios=wayland.py
    [ "$1" = --wayland ] || { scenarios=practice_e2e.py options=(--wayland); }
    ;;
esac
[ "$scenarios" = pivolo_e2e.py ] || shift

work=$(mktemp -d)
cleanup() {
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
if [ -n "$window_manager" ]; then
    # The window manager's own settings, not the user's.
    XDG_CONFIG_HOME="$work/config" openbox >"$work/openbox.log" 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        kill -0 "$wm" 2>/dev/null || { cat "$work/openbox.log" >&2; exit 1; }
        sleep 0.05
    done
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
        { echo "openbox did not start" >&2; exit 1; }
fi

# Debian's interpreter, which sees the system's pyatspi.
/usr/bin/python3 "$here/$scenarios" "${options[@]}" "$@"
