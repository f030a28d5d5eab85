#!/usr/bin/env bash
# pivolo-solve as a command-line user meets it: its options, a game given as arguments, files
# as operands, the bytes an input line may hold, closed descriptors, and what happens when
# its input cannot be read or its output cannot be written.
# Run as: RunCommandLine.sh path/to/pivolo-solve version
set -uo pipefail
solve=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../lib/checks.sh"

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

# A wrong command line: the message, then where to learn more, as GNU tools say it.
expect_complaint() {
    expect_status 2
    expect_out ''
    expect_err "$1"
    check "no hint in: $(cat "$work/err")" \
        [ "$(sed -n 2p "$work/err")" = "Try 'pivolo-solve --help' for more information." ]
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
    for option in --help -h --he; do
        run_args "$option" "$option"
        expect_status 0
        expect_out_has 'Usage: pivolo-solve [OPTION]... [FILE]...'
        expect_out_has 'Exit status:'
        expect_out_has '4096 bytes'
        expect_no_err
    done
    run_args version --version
    expect_status 0
    expect_out "pivolo-solve $version\n"
    expect_no_err
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
    # A negative number is an operand wherever it stands, and the value of -j where it
    # follows it.
    for arguments in '-j 1 1 2 3 4 5 6 -1' '1 2 3 4 5 6 -1 -qj1' '-1 2 3 4 5 6 7 --jobs=2'; do
        # shellcheck disable=SC2086 # one argument a word
        run_args "negative: $arguments" $arguments
        expect_status 1
        expect_out_has 'error: '
        expect_no_err
    done
}
check_arguments

# Options as getopt_long reads them, each form on the same input: the same output.
check_option_forms() {
    printf '1 2 3 4 5 6 1\n2 8 75 8 100 25 387\n' >"$work/two"
    "$solve" --jobs 1 "$work/two" >"$work/reference" 2>/dev/null
    local arguments
    for arguments in '-j2' '-j 2' '--jobs=2' '--jobs 2' '--jo 2' '--job=2' '-qj2' '-q' '--quiet' \
        '--qu -j1' '-- -' '- --jobs 3'; do
        case_name="option form: $arguments"
        # shellcheck disable=SC2086 # one argument a word
        "$solve" $arguments <"$work/two" >"$work/out" 2>"$work/err"
        status=$?
        expect_status 0
        check "output differs from --jobs 1" cmp -s "$work/out" "$work/reference"
        expect_no_err
    done
    # Each wrong command line: its arguments, then the first line of the complaint.
    local complaints=(
        '--frobnicate' "pivolo-solve: unknown option '--frobnicate'"
        '-x' "pivolo-solve: unknown option '-x'"
        '-j' "pivolo-solve: option '-j' needs a value"
        '--jobs' "pivolo-solve: option '--jobs' needs a value"
        '--help=yes' "pivolo-solve: option '--help' takes no value"
        '--qx' "pivolo-solve: unknown option '--qx'"
        '--jobs=0' "pivolo-solve: the number of jobs must be from 1 to 1024, not '0'"
        '-j -1' "pivolo-solve: the number of jobs must be from 1 to 1024, not '-1'"
        '-j1025' "pivolo-solve: the number of jobs must be from 1 to 1024, not '1025'"
        '--jobs=2x' "pivolo-solve: the number of jobs must be from 1 to 1024, not '2x'"
        '1 2 3' 'pivolo-solve: expected seven numbers (six tiles and a target), or files of games'
        '1 2 3 4 5 6 7 8' 'pivolo-solve: expected seven numbers (six tiles and a target), or files of games'
    )
    local i
    for ((i = 0; i < ${#complaints[@]}; i += 2)); do
        # shellcheck disable=SC2086 # one argument a word
        run_args "complaint: ${complaints[i]}" ${complaints[i]}
        expect_complaint "${complaints[i + 1]}"
    done
}
check_option_forms

# Files are read in turn as one input, - being standard input: the output is what their
# concatenation gives, lines numbered across them; a byte-order mark may start each file and
# a file's last line may lack its newline.
check_files() {
    printf '1 2 3 4 5 6 1\nx\n2 8 75 8 100 25 387' >"$work/a"
    printf '\xEF\xBB\xBF1 2 3 4 5 6 6\n\n7\n' >"$work/b"
    printf '# from standard input\n100 100 100 1 2 3 4\n' >"$work/c"
    printf '1 2 3 4 5 6 1\nx\n2 8 75 8 100 25 387\n# from standard input\n100 100 100 1 2 3 4\n1 2 3 4 5 6 6\n\n7\n' \
        >"$work/joined"
    for jobs in 1 2; do
        "$solve" --jobs $jobs <"$work/joined" >"$work/expected-files" 2>/dev/null
        case_name="files, $jobs jobs"
        "$solve" --jobs $jobs "$work/a" - "$work/b" <"$work/c" >"$work/out" 2>"$work/err"
        status=$?
        expect_status 1
        check "output differs from the joined input's" cmp -s "$work/out" "$work/expected-files"
        expect_out_has 'error: line 2: expected seven integers'
        expect_out_has 'error: line 8: expected seven integers'
        expect_no_err
    done
    # An input that cannot be read: what came before it is solved, then the message.
    run_args missing_file "$work/a" "$work/missing" "$work/b"
    expect_status 2
    expect_out_has 'game: 2 8 75 8 100 25 387'
    check "read past the missing file" [ "$(grep -c '^game:' "$work/out")" -eq 2 ]
    expect_err "pivolo-solve: cannot read $work/missing: No such file or directory"
    # Operands that are not seven integers are files, a game with a typo among them.
    (cd "$work" && "$solve" 1 2 3 4 5 6 x >"$work/out" 2>"$work/err")
    status=$?
    case_name=not_a_number
    expect_status 2
    expect_err 'pivolo-solve: cannot read 1: No such file or directory'
    run_args directory_operand "$work"
    expect_status 2
    expect_out ''
    expect_err "pivolo-solve: cannot read $work: Is a directory"
    case_name=directory_input
    "$solve" <"$work" >"$work/out" 2>"$work/err"
    status=$?
    expect_status 2
    expect_out ''
    expect_err 'pivolo-solve: cannot read standard input: Is a directory'
}
check_files

# A line holds at most 4096 bytes, its newline not counted: a longer one is refused in its
# place and skipped, and the lines after it are solved, with any number of jobs.
check_long_lines() {
    local fill4096 fill4097
    fill4096=$(printf '1 2 3 4 5 6 1%4083s' '')
    fill4097="$fill4096 "
    {
        echo '1 2 3 4 5 6 6'
        echo "$fill4096"
        echo "$fill4097"
        echo '1 2 3 4 5 6 1'
        printf '%100000s\n' 7
        printf '1 2 3 4 5 6 2\n%5000s' x
    } >"$work/long"
    for jobs in 1 2; do
        run_input "long lines, $jobs jobs" '' --jobs $jobs "$work/long"
        expect_status 1
        check "lines not in order: $(grep -E '^(game|error)' "$work/out" | tr '\n' '|')" [ \
            "$(grep -E '^(game|error)' "$work/out" | tr '\n' '|')" = \
            "game: 1 2 3 4 5 6 6|game: 1 2 3 4 5 6 1|error: line 3: line too long|game: 1 2 3 4 5 6 1|error: line 5: line too long|game: 1 2 3 4 5 6 2|error: line 7: line too long|" ]
        expect_no_err
    done
}
check_long_lines

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

    # Far more output than a pipe holds, so that writes go on after the reader has gone.
    yes '1 2 3 4 5 6 1' | head -n 100000 >"$work/many"
    case_name=reader_gone
    "$solve" <"$work/many" 2>"$work/err" | head -n 1 >/dev/null
    status=${PIPESTATUS[0]}
    expect_status 2
    expect_no_err
    case_name=reader_gone_signal_ignored
    (trap '' PIPE && exec "$solve" <"$work/many" 2>"$work/err") | head -n 1 >/dev/null
    status=${PIPESTATUS[0]}
    expect_status 2
    expect_no_err
}
check_write_failures

# Started with standard input, output or error closed, it works on /dev/null in their place:
# nothing meant for them goes into a file it opens.
check_closed_descriptors() {
    cp "$work/two" "$work/two-copy"
    case_name=closed_output
    "$solve" "$work/two" >&- 2>"$work/err"
    status=$?
    expect_status 0
    expect_no_err
    check "the input file was changed" cmp -s "$work/two" "$work/two-copy"
    case_name=closed_error
    "$solve" "$work/two" "$work/missing" 2>&- >"$work/out"
    status=$?
    expect_status 2
    expect_out_has 'game: 2 8 75 8 100 25 387'
    check "the input file was changed" cmp -s "$work/two" "$work/two-copy"
    case_name=closed_input
    "$solve" <&- >"$work/out" 2>"$work/err"
    status=$?
    expect_status 0
    expect_out ''
    expect_no_err
    case_name=all_closed
    "$solve" 1 2 3 4 5 6 6 <&- >&- 2>&-
    status=$?
    expect_status 0
}
check_closed_descriptors

# Games typed one at a time, or coming slowly through a pipe: each game's lines are written
# while the program waits for the next line, not held back until a block fills.
check_interactive() {
    mkfifo "$work/fifo"
    local jobs i solver
    for jobs in 1 2; do
        case_name="interactive, $jobs jobs"
        rm -f "$work/interactive"
        "$solve" --jobs $jobs <"$work/fifo" >"$work/interactive" 2>"$work/err" &
        solver=$!
        exec 3>"$work/fifo"
        echo '1 2 3 4 5 6 6' >&3
        for ((i = 0; i < 300; ++i)); do
            grep -q '^result:' "$work/interactive" 2>/dev/null && break
            sleep 0.1
        done
        check "the game waits for more input" grep -qx 'result: 1 reached: 6' "$work/interactive"
        exec 3>&-
        wait "$solver"
        status=$?
        expect_status 0
        expect_no_err
    done
}
check_interactive

# With standard error a terminal, a progress line shows there once a run lasts; it updates in
# place and is erased at the end. Nothing with --quiet, nothing when standard error is a file.
check_progress() {
    command -v script >/dev/null || { fail "script (util-linux) is missing"; return; }
    # script(1) runs its command with $SHELL, which is /bin/sh on bare accounts: keep them POSIX.
    export solve work SHELL=/bin/sh
    # Random games, enough to last past the first half second; doubled until they do.
    awk 'BEGIN { srand(1); for (i = 0; i < 5000; ++i) { line = ""
        for (t = 0; t < 6; ++t) line = line int(1 + rand() * 10) " "
        print line int(100 + rand() * 900) } }' >"$work/games"
    local tries
    for ((tries = 0; tries < 6; ++tries)); do
        script -qec '"$solve" --jobs 1 "$work/games" >"$work/out"' /dev/null \
            >"$work/typescript" 2>&1
        grep -q '% done' "$work/typescript" && break
        cat "$work/games" "$work/games" >"$work/more" && mv "$work/more" "$work/games"
    done
    case_name=progress_of_files
    check "no progress: $(cat -A "$work/typescript" | head -c 300)" \
        grep -Eq $'\rpivolo-solve: [0-9]+% done, [0-9]+ games/s, [0-9:]+ left' "$work/typescript"
    check "not erased at the end: $(tail -c 100 "$work/typescript" | cat -A)" \
        grep -Eq $'\r +\r$' <(tail -c 100 "$work/typescript")
    case_name=progress_quiet
    script -qec '"$solve" --quiet --jobs 1 "$work/games" >"$work/out"' /dev/null >"$work/typescript" 2>&1
    check "progress with --quiet: $(cat -A "$work/typescript" | head -c 300)" [ ! -s "$work/typescript" ]
    case_name=progress_to_a_file
    "$solve" --jobs 1 "$work/games" >"$work/out" 2>"$work/err"
    expect_no_err
    # From a pipe, whose length is unknown: the games alone. The games come slowly until the
    # progress shows.
    case_name=progress_of_a_pipe
    script -qec 'i=0; while [ $i -lt 600 ]; do echo 1 2 3 4 5 6 1; sleep 0.05; i=$((i + 1))
            grep -q games/s "$work/typescript" && break; done | "$solve" >"$work/out"' \
        /dev/null >"$work/typescript" 2>&1
    check "no progress: $(cat -A "$work/typescript" | head -c 300)" \
        grep -Eq $'\rpivolo-solve: [0-9]+ games, [0-9]+ games/s' "$work/typescript"
    check "not erased at the end: $(tail -c 100 "$work/typescript" | cat -A)" \
        grep -Eq $'\r +\r$' <(tail -c 100 "$work/typescript")
    # Output to the terminal that shows the progress: the line is erased before each game's
    # text, which starts on a line of its own; in 20 columns no redraw reaches the last one.
    case_name=progress_and_output_on_one_terminal
    script -qec 'stty cols 20; (i=0; while [ $i -lt 600 ]; do echo 1 2 3 4 5 6 1; sleep 0.05; i=$((i + 1))
            grep -q pivolo-solve: "$work/typescript" && break; done; echo 1 2 3 4 5 6 99) | "$solve"' \
        /dev/null >"$work/typescript" 2>&1
    check "no progress: $(cat -A "$work/typescript" | head -c 300)" grep -q 'pivolo-solve' "$work/typescript"
    check "last game missing: $(tail -c 300 "$work/typescript" | cat -A)" \
        grep -q '^game: 1 2 3 4 5 6 99' <(tr '\r' '\n' <"$work/typescript")
    check "output glued to the progress: $(tr '\r' '\n' <"$work/typescript" | grep 'pivolo-solve.*game:' | head -n 1)" \
        [ -z "$(tr '\r' '\n' <"$work/typescript" | grep 'pivolo-solve.*game:')" ]
    check "wider than 19: $(tr '\r' '\n' <"$work/typescript" | grep pivolo-solve | awk 'length > 19' | head -n 1)" \
        [ -z "$(tr '\r' '\n' <"$work/typescript" | grep pivolo-solve | awk 'length > 19')" ]
}
check_progress

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
    expect_complaint "pivolo-solve: option '--max' goes with '--all'"
    for count in -1 x 1x ''; do
        run_args "max $count" --all --max "$count" 1 2 3 4 5 6 7
        expect_complaint "pivolo-solve: the most solutions to write must be a number from 0 to 2147483646, not '$count'"
    done
    # The short forms and an abbreviation, as for --jobs.
    run_args all_short_forms -a -m1 10 9 8 7 6 5 500
    expect_status 0
    check "not one solution written" [ "$(grep -c '^solution: ' "$work/out")" -eq 1 ]
    run_args all_abbreviated --al --ma 1 -- 10 9 8 7 6 5 500
    expect_status 0
    check "not one solution written" [ "$(grep -c '^solution: ' "$work/out")" -eq 1 ]
    run_args max_missing --all --max
    expect_complaint "pivolo-solve: option '--max' needs a value"
}
check_all_solutions

# --check: one answer as arguments gives what its line gives; a wrong answer is judged, not
# refused (status 0), a refused line or game gives 1; the complaints of a wrong command line.
check_answers() {
    run_input check_line '2 8 75 8 100 25 387 : 100 x 4 - 8 - 8 + 3\n' --check
    cp "$work/out" "$work/from-input"
    expect_status 0
    expect_out_has 'valid: no'
    run_args check_arguments --check '100 x 4 - 8 - 8 + 3' 2 8 75 8 100 25 387
    expect_status 0
    check "output differs from the line's" cmp -s "$work/out" "$work/from-input"
    expect_no_err
    # Line ends in an answer given as an argument separate steps, as ; does, at the same
    # positions.
    run_args check_line_ends -c $'50 x 8 = 400\n\n400 + 3 = 402' -- 50 8 3 1 2 4 402
    expect_status 0
    expect_out 'game: 50 8 3 1 2 4 402\nanswer: 50 x 8 = 400;;400 + 3 = 402\nvalid: no\nfault: step 2 position 25: 400 + 3 is 403, not 402\n'
    run_args check_refused_game -c 6 1 2 3 4 5 6 1000
    expect_status 1
    expect_out 'game: 1 2 3 4 5 6 1000\nerror: Valeur à trouver incorrecte\n'
    run_input check_not_a_game '1 2 3 4 5 6 7 8 : 6\n1 2 3 4 5 6 7 : 7 - 1\n' --check --jobs 2
    expect_status 1
    expect_out_has 'error: line 1: expected seven integers, '"':'"' and an answer'
    expect_out_has 'fault: step 1 position 1: 7 is not one of the tiles'
    run_args check_help --help
    expect_out_has '  t1 t2 t3 t4 t5 t6 target : ANSWER'
    local complaints=(
        '--check 1 2 3 4 5 6 7' 'pivolo-solve: expected an answer and seven numbers (six tiles and a target), or files of answers'
        '--check --all x 1 2 3 4 5 6 7' "pivolo-solve: option '--all' does not go with '--check'"
        '--json=1' "pivolo-solve: option '--json' takes no value"
    )
    local i
    for ((i = 0; i < ${#complaints[@]}; i += 2)); do
        # shellcheck disable=SC2086 # one argument a word
        run_args "complaint: ${complaints[i]}" ${complaints[i]}
        expect_complaint "${complaints[i + 1]}"
    done
}
check_answers

echo "command line: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
