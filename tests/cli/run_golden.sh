#!/bin/sh
# Runs equivtimes-cli on every golden case in a folder and compares what it prints.
#   NAME.args    the arguments, as shell words
#   NAME.in      standard input (optional; none when missing)
#   NAME.out     expected standard output (empty when missing)
#   NAME.err     expected standard error (empty when missing)
#   NAME.status  expected exit status (0 when missing)
# Usage: run_golden.sh PROGRAM FOLDER
prog=$1
dir=$2
cd "$dir" || exit 2
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT

failed=0
cases=0
for args in *.args; do
    name=${args%.args}
    cases=$((cases + 1))
    input=/dev/null
    [ -f "$name.in" ] && input=$name.in
    eval "set -- $(cat "$args")"
    "$prog" "$@" <"$input" >"$tmp/out" 2>"$tmp/err"
    status=$?
    expected_status=0
    [ -f "$name.status" ] && expected_status=$(cat "$name.status")
    for stream in out err; do
        expected=/dev/null
        [ -f "$name.$stream" ] && expected=$name.$stream
        if ! cmp -s "$expected" "$tmp/$stream"; then
            echo "FAIL $name: standard $stream differs"
            diff -u "$expected" "$tmp/$stream" | head -40
            failed=$((failed + 1))
        fi
    done
    if [ "$status" != "$expected_status" ]; then
        echo "FAIL $name: exit status $status, expected $expected_status"
        failed=$((failed + 1))
    fi
done

# Every subcommand explains itself.
for sub in "" convert batch table points entries; do
    cases=$((cases + 1))
    # shellcheck disable=SC2086
    if ! "$prog" $sub --help >"$tmp/help" 2>&1 || ! grep -q "Usage:" "$tmp/help"; then
        echo "FAIL help of '$sub'"
        failed=$((failed + 1))
    fi
done

# Output that cannot be written (a full disk) is an error, never a quiet success.
if [ -w /dev/full ]; then
    for sub in "convert --pool 25m --event '100 Free' 1:00.00" \
        "table --event '100 Free' --from 59 --to 60" \
        "points --event '100 Free' --sex male --course long --points 700"; do
        cases=$((cases + 1))
        eval "set -- $sub"
        "$prog" "$@" >/dev/full 2>"$tmp/err"
        status=$?
        if [ "$status" != 2 ] || ! grep -q "cannot write" "$tmp/err"; then
            echo "FAIL $sub to a full disk: exit status $status"
            failed=$((failed + 1))
        fi
    done
fi

echo "$cases golden cases, $failed failures"
[ "$failed" -eq 0 ]
