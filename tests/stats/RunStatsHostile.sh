#!/usr/bin/env bash
# pivolo-stats in a hostile environment: too little memory, too few threads, a signal at
# every moment of writing its files, a file size limit, Ctrl-C on a terminal. It never ends
# by an uncaught exception, and its files are always whole: the earlier ones or new ones.
# Run as: RunStatsHostile.sh path/to/pivolo-stats
set -uo pipefail
stats=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../lib/checks.sh"
command -v strace >/dev/null || { echo "strace is missing (tools/install-deps.sh installs it)" >&2; exit 1; }

# Too little address space for the tally: the message and the status, not an abort (134).
case_name=out_of_memory
(ulimit -v 100000 && exec "$stats" -q) >"$work/out" 2>"$work/err"
status=$?
expect_status 2
expect_err "pivolo-stats: out of memory"
# Room for only some of the workers' stacks: those that start do the work, and it says so.
"$stats" -q -j1 >"$work/reference"
case_name=too_few_threads
(ulimit -v 400000 && exec "$stats" -q -j 1024) >"$work/out" 2>"$work/err"
status=$?
expect_status 0
check "error output: $(cat "$work/err")" grep -Eqx 'pivolo-stats: started only [0-9]+ of 606 jobs' "$work/err"
check "another report than one job's" cmp -s "$work/out" "$work/reference"

# The files of a small run, twice: "old" ones, then "new" ones of other targets.
files=(targets.csv draws.csv categories.csv p.png)
small=(--draw '1 2 3 4 5 6' --draw '1 1 2 2 3 3' -q)
"$stats" "${small[@]}" -t 0-49 --csv "$work/old" --plot "$work/old/p.png" >/dev/null
"$stats" "${small[@]}" -t 50-99 --csv "$work/new" --plot "$work/new/p.png" >/dev/null
# After a run on a folder that held the old files: each file is the old one or the new one,
# whole, and nothing else is left (no temporary file).
expect_whole_files() {
    local file
    for file in "${files[@]}"; do
        check "$file cut or lost" eval 'cmp -s "$work/d/$file" "$work/old/$file" || cmp -s "$work/d/$file" "$work/new/$file"'
    done
    check "files left: $(ls -A "$work/d" | tr '\n' ' ')" [ "$(ls -A "$work/d" | wc -l)" -eq 4 ]
}
# A signal at the n-th call of the system calls that write or rename the files.
interrupt() {
    local signal=$1 calls=$2 n=$3
    case_name="SIG$signal at $calls $n"
    rm -rf "$work/d" && cp -r "$work/old" "$work/d"
    # In a subshell of its own, which tells the signal as its status, quietly.
    (
        strace -f -qq -o /dev/null -e trace="$calls" -e inject="$calls":signal="$signal":when="$n" \
            "$stats" "${small[@]}" -t 50-99 --csv "$work/d" --plot "$work/d/p.png"
        exit $?
    ) >/dev/null 2>&1
    status=$?
    expect_status $((128 + $(kill -l "$signal")))
    expect_whole_files
}
# The report, then the four files: five writes; four renames.
for n in 1 2 3 4 5; do
    interrupt TERM write,writev "$n"
done
for n in 1 2 3 4; do
    interrupt TERM rename "$n"
done
# SIGINT is ignored by a program started in the background of a script, and the program
# keeps it so: then only SIGHUP.
signals=(INT HUP)
if (($(printf '%d' "0x$(awk '/^SigIgn:/ { print $2 }' /proc/$$/status)") & 2)); then
    echo "SIGINT is ignored here: not tried"
    signals=(HUP)
fi
for signal in "${signals[@]}"; do
    interrupt "$signal" write,writev 3
    interrupt "$signal" rename 2
done
# Without a signal, every file is the new one.
case_name=uninterrupted
rm -rf "$work/d" && cp -r "$work/old" "$work/d"
"$stats" "${small[@]}" -t 50-99 --csv "$work/d" --plot "$work/d/p.png" >/dev/null
for file in "${files[@]}"; do
    check "$file not the new one" cmp -s "$work/d/$file" "$work/new/$file"
done
# A file larger than the limit: an error, and every earlier file as it was.
case_name=file_size_limit
rm -rf "$work/d" && cp -r "$work/old" "$work/d"
(ulimit -f 8 && exec "$stats" "${small[@]}" -t 50-99 --csv "$work/d" --plot "$work/d/p.png") \
    >/dev/null 2>"$work/err"
status=$?
expect_status 2
expect_err "pivolo-stats: cannot write $work/d/p.png: File too large"
for file in "${files[@]}"; do
    check "$file not the old one" cmp -s "$work/d/$file" "$work/old/$file"
done
expect_whole_files

# Ctrl-C while the bar shows on a terminal: the bar is erased before the program ends.
case_name=interrupt_on_terminal
script -qec "strace -f -qq -o /dev/null -e trace=write -e inject=write:signal=INT:when=2 \
    '$stats' -j1 -t 0-99 >/dev/null" /dev/null >"$work/terminal" 2>&1
check "no bar: $(cat -A "$work/terminal" | head -c 300)" grep -q ' left' "$work/terminal"
check "not erased at the end: $(tail -c 100 "$work/terminal" | cat -A)" \
    grep -Eq $'\r +\r$' <(tail -c 100 "$work/terminal")

echo "pivolo-stats hostile: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
