#!/usr/bin/env bash
# The program started where there is no display: without DISPLAY and WAYLAND_DISPLAY (nor a
# Wayland socket in the runtime folder), it says so in French and ends with status 1 before
# opening any window; with a display that cannot be reached, likewise after Qt's own words.
# Run as: RunNoDisplay.sh path/to/program (pivolo or pivolo-entrainement)
set -euo pipefail
pivolo=$1
name=$(basename "$pivolo")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir -m 700 "$work/runtime"

# Runs the program in the given environment; expects status 1 and the line on standard
# error, last, and nothing on standard output.
expect_refusal() {
    local line=$1
    shift
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" \
        "$@" timeout 60 "$pivolo" >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq 1 ] || { cat "$work/err" >&2; fail "$*: status $status, not 1"; }
    [ "$(tail -n 1 "$work/err")" = "$line" ] \
        || { cat "$work/err" >&2; fail "$*: the last line on standard error is not: $line"; }
    [ ! -s "$work/out" ] || fail "$*: something on standard output: $(head -c 200 "$work/out")"
}

absent="$name : aucun affichage graphique n'est disponible ; le jeu a besoin d'un écran (X11 ou Wayland)."
unreachable="$name : impossible d'ouvrir l'affichage graphique ; le jeu a besoin d'un écran (X11 ou Wayland)."
expect_refusal "$absent"
# Nothing but this line: the toolkit was not started.
[ "$(wc -l <"$work/err")" -eq 1 ] || { cat "$work/err" >&2; fail "more than the one line"; }
expect_refusal "$absent" QT_QPA_PLATFORM=xcb
expect_refusal "$absent" QT_QPA_PLATFORM='wayland;xcb'
expect_refusal "$unreachable" DISPLAY=:"$((RANDOM % 1000 + 5000))"
expect_refusal "$unreachable" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=no-such-socket
# A platform that needs no display still starts: the offscreen one, ended by its time limit.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
    timeout 2 "$pivolo" >/dev/null 2>"$work/err" </dev/null || status=$?
[ "$status" -eq 124 ] || { cat "$work/err" >&2; fail "offscreen: status $status, not still running"; }
echo "no display: 6 passed, 0 failed"
