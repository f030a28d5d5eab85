#!/usr/bin/env bash
# pivolo-solve fed what would exhaust its memory, under a limit on its address space: a line
# of 200 MB, a gigabyte of NUL bytes, an endless line, and many workers. It keeps to a few
# megabytes whatever it reads; each run is bounded in time.
# Run as: RunLimits.sh path/to/pivolo-solve
set -uo pipefail
solve=$1
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# Far less address space than the inputs: a program that kept a line whole would fail.
limit=100000
. "$(dirname "$0")/../lib/checks.sh"

# Runs the shell command (which uses $solve) under the limit (KB), for at most 60 s.
run_limited() {
    case_name=$1
    (ulimit -v "$2" && exec timeout 60 bash -c "$3") >"$work/out" 2>"$work/err"
    status=$?
}

game_lines='game: 1 2 3 4 5 6 6\nlist: 1\t= 5 / 5\nlist: 5\t= 1 + 4\nlist: 1\t= 3 / 3\nlist: 3\t= 1 + 2\nstdout: Sol : 6 \nresult: 1 reached: 6\n'
export solve

for jobs in 1 2; do
    run_limited "200 MB line, $jobs jobs" $limit \
        "{ head -c 200000000 /dev/zero | tr '\\0' 7; printf '\\n1 2 3 4 5 6 6\\n'; } | \"\$solve\" --jobs $jobs"
    expect_status 1
    expect_out "error: line 1: line too long\n$game_lines"
    expect_no_err
done

run_limited "1 GB of NUL bytes" $limit "head -c 1000000000 /dev/zero | \"\$solve\" --jobs 2"
expect_status 1
expect_out 'error: line 1: line too long\n'
expect_no_err

# Many workers in a limited address space: each takes little.
run_limited "24 jobs" 200000 "echo 1 2 3 4 5 6 6 | \"\$solve\" --jobs 24"
expect_status 0
expect_out "$game_lines"
expect_no_err
# More than fit: those that start do the work, and it says so.
run_limited "1024 jobs" $limit "printf '1 2 3 4 5 6 6\\n%.0s' {1..50} | \"\$solve\" --jobs 1024"
expect_status 0
check "not every game solved" [ "$(grep -c '^result: 1 reached: 6$' "$work/out")" -eq 50 ]
check "error output: $(cat "$work/err")" grep -Eqx 'pivolo-solve: started only [0-9]+ of 1024 jobs' "$work/err"

# Workers under a limit that leaves no room for an allocator arena each: they share one, rather
# than mapping a page for every allocation (895,541 mmap calls for these 100 games, 40 times
# slower). The calls are counted, not timed.
if command -v strace >/dev/null; then
    awk 'BEGIN { for (i = 0; i < 100; ++i) print 1 + i % 10, 2 + i % 8, 3, 5, 7, 9, 100 + 9 * i }' \
        >"$work/hundred"
    run_limited "--all, 2 jobs, mmap calls" $limit \
        "strace -f -c -o \"$work/calls\" -e trace=mmap \"\$solve\" --all --jobs 2 \"$work/hundred\""
    expect_status 0
    mmaps=$(awk '$NF == "mmap" { print $4 }' "$work/calls")
    check "mmap calls: ${mmaps:-none counted}" [ "${mmaps:-999999}" -lt 1000 ]
    check "not every game solved" [ "$(grep -c '^result: ' "$work/out")" -eq 100 ]
else
    fail "strace is missing (tools/install-deps.sh installs it)"
fi

# An endless line is skipped as it comes, for as long as it lasts, in constant memory: its
# refusal is written at once.
case_name="endless line"
# Emptied first: the poll below must not see the output of the case before.
: >"$work/out"
(ulimit -v $limit && exec "$solve" --jobs 2) </dev/zero >"$work/out" 2>"$work/err" &
pid=$!
for ((i = 0; i < 300; ++i)); do
    [ -s "$work/out" ] || ! kill -0 "$pid" 2>/dev/null && break
    sleep 0.1
done
expect_out 'error: line 1: line too long\n'
rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
check "not running any more" kill -0 "$pid"
check "resident memory ${rss:-?} KB" [ "${rss:-999999}" -lt 20000 ]
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=
expect_no_err

echo "limits: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
