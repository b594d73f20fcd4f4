#!/bin/sh
# Runs `equivtimes-cli entries` on every golden meet file in a folder and compares its report,
# the converted meet, its messages and its exit status with the expected ones.
#   NAME.lef or NAME.lxf   the meet file (or NAME.cl2, NAME.sd3: an SDIF file)
#   NAME.args              further arguments, as shell words (optional)
#   NAME.csv               expected report
#   NAME.out.lef           expected converted meet (none expected when missing); for an SDIF
#                          file NAME.out.cl2 or NAME.out.sd3, the converted copy in its dialect
#   NAME.err               expected standard error (empty when missing)
#   NAME.status            expected exit status (0 when missing)
#   NAME.fees.csv          expected fees (--fees), when there is one
# Usage: run_golden.sh PROGRAM FOLDER
prog=$1
dir=$2
cd "$dir" || exit 2
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT

failed=0
cases=0
compare() { # expected actual what
    if ! cmp -s "$1" "$2"; then
        echo "FAIL $name: $3 differs"
        diff -u "$1" "$2" | head -40
        failed=$((failed + 1))
    fi
}
for meet in *.lef *.lxf *.cl2 *.sd3; do
    [ -f "$meet" ] || continue
    case $meet in *.out.*) continue ;; esac
    name=${meet%.*}
    out=lef
    case $meet in *.cl2 | *.sd3) out=${meet##*.} ;; esac
    cases=$((cases + 1))
    rm -f "$tmp"/*
    set --
    [ -f "$name.args" ] && eval "set -- $(cat "$name.args")"
    [ -f "$name.fees.csv" ] && set -- "$@" --fees "$tmp/fees.csv"
    "$prog" entries "$meet" "$@" --report "$tmp/report.csv" -o "$tmp/converted.$out" \
        >"$tmp/out" 2>"$tmp/err"
    status=$?
    expected_status=0
    [ -f "$name.status" ] && expected_status=$(cat "$name.status")
    if [ "$status" != "$expected_status" ]; then
        echo "FAIL $name: exit status $status, expected $expected_status"
        failed=$((failed + 1))
    fi
    expected_err=/dev/null
    [ -f "$name.err" ] && expected_err=$name.err
    compare "$expected_err" "$tmp/err" "standard error"
    compare /dev/null "$tmp/out" "standard output"
    if [ -f "$name.csv" ]; then
        compare "$name.csv" "$tmp/report.csv" "the report"
    elif [ -f "$tmp/report.csv" ]; then
        echo "FAIL $name: a report was written"
        failed=$((failed + 1))
    fi
    if [ -f "$name.fees.csv" ]; then
        compare "$name.fees.csv" "$tmp/fees.csv" "the fees"
    fi
    if [ -f "$name.out.$out" ]; then
        compare "$name.out.$out" "$tmp/converted.$out" "the converted meet"
    elif [ -f "$tmp/converted.$out" ]; then
        echo "FAIL $name: a converted meet was written"
        failed=$((failed + 1))
    fi
done
echo "$cases golden meets, $failed failures"
[ "$cases" -gt 0 ] && [ "$failed" -eq 0 ]
