#!/usr/bin/env bash
# pivolo-stats as a command-line user meets it: its options, its refusals, the report, the
# per-game lines against pivolo-solve, the CSV files and the pictures, the progress bar on a
# terminal and its silence elsewhere, and what happens when its output cannot be written.
# Run as: RunStatsCommandLine.sh path/to/pivolo-stats path/to/pivolo-solve version
set -uo pipefail
stats=$1
solve=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../lib/checks.sh"

run() {
    case_name=$1
    "$stats" "${@:2}" </dev/null >"$work/out" 2>"$work/err"
    status=$?
}
# A refusal: status 2, the message on standard error and where to learn more, as pivolo-solve
# says it; nothing on standard output.
expect_refusal() {
    expect_status 2
    expect_err "$1"
    check "no hint in: $(cat "$work/err")" \
        [ "$(sed -n 2p "$work/err")" = "Try 'pivolo-stats --help' for more information." ]
    check "output on a refusal: $(cat "$work/out")" [ ! -s "$work/out" ]
}

small=(--draw '1 2 3 4 5 6' --targets 10-19 --quiet)

# Help, version, abbreviations, both forms of a value.
run help --help
expect_status 0
expect_out_has 'Usage: pivolo-stats'
expect_out_has 'Exit status:'
expect_out_has '--targets A-B'
expect_no_err
run help_short -h
expect_status 0
expect_out_has 'Usage: pivolo-stats'
for option in --version --vers; do
    run "version $option" "$option"
    expect_status 0
    check "version: $(cat "$work/out")" [ "$(cat "$work/out")" = "pivolo-stats $version" ]
done
run forms_of_values --draw='1 2 3 4 5 6' --targ 10-19 -q -j1
expect_status 0
expect_out_has 'The draw 1 2 3 4 5 6 of the 28-tile set'
expect_out_has '1 draw x 10 targets = 10 games.'
expect_out_has 'Draws are counted as multisets'
expect_no_err
run one_target --draw '1,1,2,2,3,3' -t900 --set=24
expect_status 0
expect_out_has 'The draw 1 1 2 2 3 3 of the 24-tile set'
expect_out_has 'the target 900:'
expect_out_has '1 draw x 1 target = 1 game.'
expect_out_has 'a draw of the 24-tile set may hold up to four'
expect_out_has '1 1 2 2 3 3     900       81       819'

# Refusals.
run unknown_option --bogus
expect_refusal "pivolo-stats: unknown option '--bogus'"
run unknown_short -x
expect_refusal "pivolo-stats: unknown option '-x'"
run value_not_taken --quiet=1
expect_refusal "pivolo-stats: option '--quiet' takes no value"
run missing_value --targets
expect_refusal "pivolo-stats: option '--targets' needs a value"
run missing_short_value -qt
expect_refusal "pivolo-stats: option '-t' needs a value"
run reversed_targets --targets 20-10
expect_refusal "pivolo-stats: the targets must be A-B with 0 <= A <= B <= 999, not '20-10'"
run target_too_large --targets 0-1000
expect_refusal "pivolo-stats: the targets must be A-B with 0 <= A <= B <= 999, not '0-1000'"
run signed_target --targets -5-10
expect_refusal "pivolo-stats: the targets must be A-B with 0 <= A <= B <= 999, not '-5-10'"
run bad_set --set 27
expect_refusal "pivolo-stats: the set must be 28 or 24, not '27'"
run bad_jobs --jobs 0
expect_refusal "pivolo-stats: the number of jobs must be from 1 to 1024, not '0'"
run bad_plot --plot picture.gif
expect_refusal "pivolo-stats: the picture's name must end in .png or .svg, not 'picture.gif'"
run extension_alone --plot .png
expect_refusal "pivolo-stats: the picture needs a name before its extension, not '.png'"
run empty_csv --csv ''
expect_refusal "pivolo-stats: the folder of the CSV files needs a name"
run third_tile --draw '1 1 1 2 3 4'
expect_refusal "pivolo-stats: '1 1 1 2 3 4' is not a draw of six tiles of the 28-tile set"
run second_large_of_24 --set 24 --draw '1 2 3 4 100 100'
expect_refusal "pivolo-stats: '1 2 3 4 100 100' is not a draw of six tiles of the 24-tile set"
run five_tiles --draw '1 2 3 4 5'
expect_refusal "pivolo-stats: '1 2 3 4 5' is not a draw of six tiles of the 28-tile set"
run extra_argument "${small[@]}" extra
expect_refusal "pivolo-stats: unexpected argument 'extra'"

# Output that cannot be written is an error; a reader that goes away ends it quietly.
case_name=full_output
"$stats" "${small[@]}" >/dev/full 2>"$work/err"
status=$?
expect_status 2
expect_err "pivolo-stats: cannot write the output: No space left on device"
# A closed output loses the report: known before the work, and no success.
case_name=closed_output
"$stats" "${small[@]}" >&- 2>"$work/err"
status=$?
expect_status 2
expect_err "pivolo-stats: cannot write the output: Bad file descriptor"
case_name=reader_gone
# More than a pipe holds, so that some write finds the reader gone.
"$stats" --games -q -t 0-999 --draw '1 1 2 2 3 3' --draw '1 2 3 4 5 6' --draw '2 5 7 9 25 75' \
    --draw '1 1 25 50 75 100' 2>"$work/err" | true
status=${PIPESTATUS[0]}
expect_status 2
expect_no_err

# Each game's value is the one pivolo-solve reaches.
run games --games --draw '75 9 2 7 25 5' --targets 0-999 --quiet
expect_status 0
check "game lines: $(head -n 2 "$work/out")" [ "$(wc -l <"$work/out")" -eq 1000 ]
check "first game line: $(head -n 1 "$work/out")" [ "$(head -n 1 "$work/out")" = "2 5 7 9 25 75 0 0" ]
cut -d' ' -f1-7 "$work/out" | "$solve" --jobs 2 | sed -n 's/^result: . reached: //p' >"$work/solved"
check "pivolo-stats and pivolo-solve disagree: $(cut -d' ' -f8 "$work/out" | diff - "$work/solved" | head -n 5)" \
    cmp -s <(cut -d' ' -f8 "$work/out") "$work/solved"

# The CSV files: their header rows, the same columns whatever the draws, one row a target, a
# draw, a number of large tiles of the set; the folder made with its parents.
run csv "${small[@]}" --draw '25 50 75 100 1 1' --csv "$work/csv/a/b"
expect_status 0
expect_no_err
expect_csv() {
    local file=$1 header=$2 rows=$3
    check "$file header: $(head -n 1 "$work/csv/a/b/$file")" [ "$(head -n 1 "$work/csv/a/b/$file")" = "$header" ]
    check "$file rows: $(wc -l <"$work/csv/a/b/$file")" [ "$(wc -l <"$work/csv/a/b/$file")" -eq "$rows" ]
}
expect_csv targets.csv 'target,draws,exact,exact_share,exact_share_dealt,exact_large0,exact_large1,exact_large2,exact_large3,exact_large4,exact_large5,exact_large6' 11
expect_csv draws.csv 'tile1,tile2,tile3,tile4,tile5,tile6,large,ways,targets,exact,exact_share,total_distance,max_distance,max_distance_target' 3
expect_csv categories.csv 'large,draws,ways,games,exact,away_1,away_2,away_3,away_4,away_5,away_6,away_7,away_8,away_9,away_10,away_more,exact_share,exact_share_dealt' 9
check "categories.csv: all row: $(tail -n 1 "$work/csv/a/b/categories.csv")" \
    grep -q '^all,2,80,20,' "$work/csv/a/b/categories.csv"
check "draws.csv: ways: $(cut -d, -f1-8 "$work/csv/a/b/draws.csv" | tr '\n' '|')" \
    [ "$(cut -d, -f8 "$work/csv/a/b/draws.csv" | tr '\n' ' ')" = "ways 16 64 " ]
run csv_24 "${small[@]}" --set 24 --csv "$work/csv/24"
check "24-tile columns: $(head -n 1 "$work/csv/24/targets.csv")" \
    grep -q 'exact_large4$' <(head -n 1 "$work/csv/24/targets.csv")
check "24-tile rows: $(wc -l <"$work/csv/24/categories.csv")" [ "$(wc -l <"$work/csv/24/categories.csv")" -eq 7 ]
touch "$work/file"
run csv_folder_is_a_file "${small[@]}" --csv "$work/file"
expect_status 2
expect_err "pivolo-stats: cannot make the folder $work/file: Not a directory"
run csv_below_a_file "${small[@]}" --csv "$work/file/csv"
expect_status 2
expect_err "pivolo-stats: cannot make the folder $work/file/csv: Not a directory"

# The pictures, with no display at all.
run png "${small[@]}" --plot "$work/p.png"
expect_status 0
expect_no_err
check "not a PNG: $(file "$work/p.png")" grep -q 'PNG image data, 1200 x 1000' <(file "$work/p.png")
case_name=svg_without_display
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stats" "${small[@]}" --plot "$work/p.SVG" \
    >/dev/null 2>"$work/err"
status=$?
expect_status 0
expect_no_err
check "not an SVG: $(file "$work/p.SVG")" grep -q 'SVG' <(file "$work/p.SVG")
check "no title in the SVG" grep -q 'Share of the draws that reach each target' "$work/p.SVG"
# A single target: each series is a marker (a line of one point would draw nothing), here
# the draws without large tiles, all draws, and all draws as dealt.
run one_target_picture "${small[@]}" --draw '1 1 2 2 3 3' -t 500 --plot "$work/one.svg"
expect_status 0
check "markers: $(grep -c '<circle' "$work/one.svg")" [ "$(grep -c '<circle' "$work/one.svg")" -eq 3 ]
# A platform asked for that cannot start (X without a display) is not used either.
case_name=png_with_x_asked_for
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$stats" "${small[@]}" --plot "$work/x.png" \
    >/dev/null 2>"$work/err"
status=$?
expect_status 0
expect_no_err
check "not a PNG: $(file "$work/x.png")" grep -q 'PNG image data' <(file "$work/x.png")
run png_no_folder "${small[@]}" --plot "$work/none/p.png"
expect_status 2
expect_err "pivolo-stats: cannot write $work/none/p.png: No such file or directory"

# Progress: a bar on a terminal, redrawn in place and erased at the end; nothing when
# standard error is not a terminal, or with --quiet.
case_name=progress_on_terminal
script -qec "'$stats' --draw '1 2 3 4 5 6' --draw '1 1 2 2 3 3' -t 0-99 >'$work/report'" /dev/null \
    >"$work/terminal" 2>&1
status=$?
expect_status 0
check "no bar: $(cat -A "$work/terminal")" grep -Eq $'\r\\[[#.]+\\] +[0-9]+%  [-:0-9]+ left' "$work/terminal"
check "bar not erased: $(cat -A "$work/terminal")" grep -Eq $'\r +\r$' "$work/terminal"
check "a new line on the terminal: $(cat -A "$work/terminal")" [ "$(wc -l <"$work/terminal")" -eq 0 ]
check "no report" grep -q 'Draws are counted as multisets' "$work/report"
# In a terminal of 40 columns, the bar is narrower: no redraw reaches the last column, where
# it would wrap and leave a line behind at each redraw.
case_name=progress_in_40_columns
script -qec "stty cols 40; '$stats' --set 24 -t 0-9 >/dev/null" /dev/null >"$work/terminal" 2>&1
check "no bar: $(cat -A "$work/terminal" | head -c 300)" grep -q ' left' "$work/terminal"
check "wider than 39: $(tr '\r' '\n' <"$work/terminal" | awk 'length > 39' | head -n 2)" \
    [ -z "$(tr '\r' '\n' <"$work/terminal" | awk 'length > 39')" ]
case_name=quiet_on_terminal
script -qec "'$stats' --quiet --draw '1 2 3 4 5 6' -t 0-99 >/dev/null" /dev/null >"$work/terminal" 2>&1
check "output with --quiet: $(cat -A "$work/terminal")" [ ! -s "$work/terminal" ]
run not_a_terminal --draw '1 2 3 4 5 6' -t 0-99
expect_status 0
expect_no_err

echo "pivolo-stats command line: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
