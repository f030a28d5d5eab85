#!/usr/bin/env bash
# pivolo-solve as a command-line user meets it: its options, a game given as arguments, the
# bytes an input line may hold, and what happens when its output cannot be written.
# Run as: RunCommandLine.sh path/to/pivolo-solve version
set -uo pipefail
solve=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

# Runs pivolo-solve on the input (printf's format: \0 is a NUL byte) with the arguments.
run_input() {
    case_name=$1
    printf "$2" | "$solve" "${@:3}" >"$work/out" 2>"$work/err"
    status=${PIPESTATUS[1]}
}
# Runs pivolo-solve with the arguments and no input.
run_args() {
    case_name=$1
    "$solve" "${@:2}" </dev/null >"$work/out" 2>"$work/err"
    status=$?
}

expect_status() { check "exit status $status, expected $1" [ "$status" -eq "$1" ]; }
# The whole standard output (printf's format).
expect_out() {
    printf "$1" >"$work/expected"
    check "output differs: $(cat -A "$work/out")" cmp -s "$work/out" "$work/expected"
}
expect_out_has() { check "no '$1' in the output" grep -Fq -- "$1" "$work/out"; }
expect_no_err() { check "unexpected error output: $(cat "$work/err")" [ ! -s "$work/err" ]; }
# The first line of the error output; the usage follows it when asked.
expect_err() {
    check "error output: $(cat "$work/err")" [ "$(head -n 1 "$work/err")" = "$1" ]
}
expect_usage_in_err() {
    check "no usage in: $(cat "$work/err")" grep -q '^Usage: pivolo-solve' "$work/err"
}

# A number is its whole text: 30 zeros and then 100 is the tile 100, not the 1 that the
# first 31 characters would give (a third 1 in this game).
check_long_numbers() {
    run_input long_tile '000000000000000000000000000000100 1 1 2 2 3 100\n'
    expect_status 0
    expect_out 'game: 000000000000000000000000000000100 1 1 2 2 3 100\nstdout: Sol : 100 \nresult: 1 reached: 100\n'
    # Beyond an int: refused, never wrapped into range (2^32 + 1 would wrap to the tile 1).
    run_input numbers_beyond_int '4294967297 2 3 4 5 6 7\n1 2 3 4 5 6 99999999999999999999999\n1 2 3 4 5 6 -000000000000000000000000000000001\n'
    expect_status 1
    expect_out 'game: 4294967297 2 3 4 5 6 7\nerror: Au moins une plaque a une valeur incorrecte\ngame: 1 2 3 4 5 6 99999999999999999999999\nerror: Valeur à trouver incorrecte\ngame: 1 2 3 4 5 6 -000000000000000000000000000000001\nerror: Valeur à trouver incorrecte\n'
}
check_long_numbers

# Every ASCII blank separates numbers and a line of blanks is skipped; any other byte, a
# NUL included, makes the line an error rather than ending it.
check_line_bytes() {
    run_input blanks '\f\v \t\r\n1\t2\v3\f4\r5 6 1\r\n'
    expect_status 0
    expect_out 'game: 1 2 3 4 5 6 1\nstdout: Sol : 1 \nresult: 1 reached: 1\n'
    run_input nul_bytes '1 2 3 4 5 6 6\0 7 8\n\0 1 2 3 4 5 6 7\n\0\n1 2 3 4 5 6 1\n'
    expect_status 1
    expect_out 'error: line 1: expected seven integers\nerror: line 2: expected seven integers\nerror: line 3: expected seven integers\ngame: 1 2 3 4 5 6 1\nstdout: Sol : 1 \nresult: 1 reached: 1\n'
    run_input byte_order_mark '\xEF\xBB\xBF# games\n\xEF\xBB\xBF1 2 3 4 5 6 1\n'
    expect_status 1
    expect_out 'error: line 2: expected seven integers\n'
    run_input byte_order_mark_then_game '\xEF\xBB\xBF1 2 3 4 5 6 1\n'
    expect_status 0
    expect_out_has 'game: 1 2 3 4 5 6 1'
    expect_no_err
}
check_line_bytes

check_help_and_version() {
    for option in --help -h; do
        run_args "$option" "$option"
        expect_status 0
        expect_out_has 'Usage: pivolo-solve [t1 t2 t3 t4 t5 t6 target]'
        expect_out_has 'Exit status:'
        expect_no_err
    done
    run_args version --version
    expect_status 0
    expect_out "pivolo-solve $version\n"
    expect_no_err
    run_args unknown_option --frobnicate
    expect_status 2
    expect_out ''
    expect_err "pivolo-solve: unknown option '--frobnicate'"
    expect_usage_in_err
}
check_help_and_version

# Seven arguments give what the same line gives on standard input.
check_arguments() {
    for game in '2 8 75 8 100 25 387' '1 2 3 4 5 6 -1' '100 100 100 1 2 3 4'; do
        run_input "line $game" "$game\n"
        cp "$work/out" "$work/from-input"
        local input_status=$status
        # shellcheck disable=SC2086 # one argument a number
        run_args "arguments $game" $game
        expect_status "$input_status"
        check "output differs from the line's" cmp -s "$work/out" "$work/from-input"
        expect_no_err
    done
    run_args after_double_dash -- 1 2 3 4 5 6 1
    expect_status 0
    expect_out_has 'result: 1 reached: 1'
    run_args too_few 1 2 3
    expect_status 2
    expect_out ''
    expect_err 'pivolo-solve: expected seven numbers (six tiles and a target) or none'
    expect_usage_in_err
    run_args not_a_number 1 2 3 4 5 6 x
    expect_status 2
    expect_out ''
    expect_err "pivolo-solve: 'x' is not an integer"
}
check_arguments

# A failed write is an error; a reader that goes away early ends the tool quietly.
check_write_failures() {
    case_name=full_device
    echo '1 2 3 4 5 6 6' | "$solve" >/dev/full 2>"$work/err"
    status=${PIPESTATUS[1]}
    expect_status 2
    expect_err 'pivolo-solve: cannot write the output: No space left on device'
    case_name=help_to_full_device
    "$solve" --help >/dev/full 2>"$work/err"
    status=$?
    expect_status 2
    expect_err 'pivolo-solve: cannot write the output: No space left on device'
    case_name=closed_output
    echo '1 2 3 4 5 6 6' | "$solve" >&- 2>"$work/err"
    status=${PIPESTATUS[1]}
    expect_status 2
    expect_err 'pivolo-solve: cannot write the output: Bad file descriptor'

    # Far more output than a pipe holds, so that writes go on after the reader has gone.
    yes '1 2 3 4 5 6 1' | head -n 100000 >"$work/many"
    case_name=reader_gone
    "$solve" <"$work/many" 2>"$work/err" | head -n 1 >/dev/null
    status=${PIPESTATUS[0]}
    expect_status 141
    expect_no_err
    case_name=reader_gone_signal_ignored
    (trap '' PIPE && exec "$solve" <"$work/many" 2>"$work/err") | head -n 1 >/dev/null
    status=${PIPESTATUS[0]}
    expect_status 2
    expect_no_err
}
check_write_failures

# --all and --max: the count counts every solution, --max bounds those written; --max alone,
# or with a count that is not one, is refused; a refused game gets what it gets without --all.
check_all_solutions() {
    run_args all_max_one --all --max 1 10 9 8 7 6 5 500
    expect_status 0
    expect_out_has 'solutions: 41'
    check "not one solution written" [ "$(grep -c '^solution: ' "$work/out")" -eq 1 ]
    expect_out_has 'expression: (7 x 6 + 8) x 10 = 500'
    run_args all_max_zero -a --max=0 10 9 8 7 6 5 500
    expect_status 0
    expect_out_has 'solutions: 41'
    check "a solution written" [ "$(grep -c '^solution: ' "$work/out")" -eq 0 ]
    run_args all_tile -a 1 2 3 4 5 6 6
    expect_status 0
    expect_out_has 'solution: 1 steps: 0 largest: 0'
    expect_out_has 'expression: 6 = 6'
    run_args all_refused -a 11 2 3 4 5 6 7
    expect_status 1
    expect_out 'game: 11 2 3 4 5 6 7\nerror: Au moins une plaque a une valeur incorrecte\n'
    run_args max_without_all --max 2 1 2 3 4 5 6 7
    expect_status 2
    expect_out ''
    expect_err "pivolo-solve: option '--max' goes with '--all'"
    expect_usage_in_err
    for count in -1 x 1x ''; do
        run_args "max $count" --all --max "$count" 1 2 3 4 5 6 7
        expect_status 2
        expect_out ''
        expect_usage_in_err
    done
    run_args max_missing --all --max
    expect_status 2
    expect_err "pivolo-solve: option '--max' needs a number"
}
check_all_solutions

echo "command line: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
