#!/usr/bin/env bash
# pivolo-entrainement's command line, which needs no display: --help and --version on
# standard output, a failed write said and refused, and each wrong command line refused with
# status 2, a French line starting with the program's name and a pointer to --help.
# Run as: RunCommandLine.sh path/to/pivolo-entrainement version
set -euo pipefail
program=$1
version=$2
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program without a display; sets status, and out and err in the work folder.
run() {
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" \
        timeout 60 "$program" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
}

run --help
[ "$status" -eq 0 ] || fail "--help: status $status"
head -n 1 "$work/out" | grep -q "^Usage : $name \[--draw A,B,C,D,E,F --target T\]$" \
    || fail "--help: $(head -n 1 "$work/out")"
[ ! -s "$work/err" ] || fail "--help wrote on standard error: $(cat "$work/err")"
passed=$((passed + 1))

run --version
[ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "$name $version" ] || fail "--version: $(cat "$work/out")"
passed=$((passed + 1))

status=0
"$program" --help >/dev/full 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "--help into a full device: status $status"
[ "$(cat "$work/err")" = "$name : impossible d'écrire sur la sortie standard" ] \
    || fail "--help into a full device: $(cat "$work/err")"
passed=$((passed + 1))

refused() {
    local reason=$1
    shift
    run "$@"
    [ "$status" -eq 2 ] || fail "$*: status $status"
    [ "$(head -n 1 "$work/err")" = "$name : $reason" ] || fail "$*: $(head -n 1 "$work/err")"
    [ "$(sed -n 2p "$work/err")" = "Essayez « $name --help »." ] || fail "$*: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "$*: something on standard output"
    passed=$((passed + 1))
}
refused "« 1,2,3,4,5 » n'est pas un tirage de six plaques du jeu (1 à 10, 25, 50, 75 et 100, chacune deux fois au plus)" \
    --draw 1,2,3,4,5 --target 100
refused "« 1000 » n'est pas un compte à trouver de 0 à 999" --draw 1,2,3,4,5,6 --target 1000
refused "--draw et --target vont ensemble" --draw 1,2,3,4,5,6
refused "--target attend un compte à trouver" --draw 1,2,3,4,5,6 --target
refused "option inconnue « --jobs »" --jobs 2
refused "argument inattendu « 387 »" 387

# A good command line gets as far as the display, which is not there.
run --draw 2,8,75,8,100,25 --target 387
[ "$status" -eq 1 ] || fail "a given game without a display: status $status"
passed=$((passed + 1))
echo "command line: $passed passed, 0 failed"
