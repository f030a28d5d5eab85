# The checks that the command-line tests share, sourced by them. Each run leaves its standard
# output in $work/out, its error output in $work/err and its exit status in $status; each
# check counts in $passed or $failed, and a failure names the case ($case_name).
passed=0
failed=0
case_name=
status=

fail() { echo "FAIL: $case_name: $*" >&2; failed=$((failed + 1)); }
# Counts one check: passed when the condition (a command) holds, else failed with the message.
check() {
    local message=$1
    shift
    if "$@"; then passed=$((passed + 1)); else fail "$message"; fi
}

expect_status() { check "exit status $status, expected $1" [ "$status" -eq "$1" ]; }
# The whole standard output (printf's format).
expect_out() {
    printf "$1" >"$work/expected"
    check "output differs: $(head -c 2000 "$work/out" | cat -A)" cmp -s "$work/out" "$work/expected"
}
expect_out_has() { check "no '$1' in the output" grep -Fq -- "$1" "$work/out"; }
expect_no_err() { check "unexpected error output: $(cat "$work/err")" [ ! -s "$work/err" ]; }
# The first line of the error output; the usage follows it when asked.
expect_err() {
    check "error output: $(cat "$work/err")" [ "$(head -n 1 "$work/err")" = "$1" ]
}
