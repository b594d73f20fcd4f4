#!/bin/sh
# best-times and club-entries through the command line over the results files in a folder: the
# best times, the report and the entries file against the expected ones; the entries file, .lef
# and .lxf, read back by `entries` with the invitation's standards (every entry meets, nothing is
# converted); bad input refused with nothing written.
# Usage: run_results.sh PROGRAM FOLDER
prog=$1
dir=$2
cd "$dir" || exit 2
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT

failed=0
fail() {
    echo "FAIL $*"
    failed=$((failed + 1))
}
expect() { # STATUS COMMAND...: runs it, its output in $tmp/out and $tmp/err
    want=$1
    shift
    "$@" >"$tmp/out" 2>"$tmp/err"
    got=$?
    if [ "$got" != "$want" ]; then
        fail "$*: exit status $got, expected $want"
        cat "$tmp/err"
    fi
}
same() { # EXPECTED ACTUAL
    if ! cmp -s "$1" "$2"; then
        fail "$2 differs from $1"
        diff -u "$1" "$2" | head -30
    fi
}
results="leeds.lef york.lef sheffield.lef"

# leeds.lef has a swim time that cannot be read: a warning, exit status 1.
expect 1 "$prog" best-times $results --course LCM -o "$tmp/best.csv"
same best-lcm.csv "$tmp/best.csv"
same best-lcm.err "$tmp/err"
expect 1 "$prog" best-times $results --course SCY --club lds --from 2026-03-01 -o "$tmp/best.csv"
same best-scy.csv "$tmp/best.csv"

for out in club.lef club.lxf; do
    expect 1 "$prog" club-entries invitation.lef --results $results --report "$tmp/report.csv" \
        --contact-name "Ann Lee" --contact-email secretary@leeds.example -o "$tmp/$out"
    same club-report.csv "$tmp/report.csv"
    ! grep -q "no contact email" "$tmp/err" || fail "$out: a contact told missing: $(cat "$tmp/err")"
    expect 0 "$prog" entries "$tmp/$out" --standards invitation.lef --report "$tmp/back.csv"
    grep -q "^entries: 3 read, 0 converted, 3 meeting, 0 missing" "$tmp/err" ||
        fail "$out read back: $(cat "$tmp/err")"
    [ "$(grep -c ',meets,' "$tmp/back.csv")" = 3 ] || fail "$out read back: not every entry meets"
done
# Further qualifying times as a CSV table: the men's 100 Free enters Carr too.
expect 1 "$prog" club-entries invitation.lef --results $results --standards men.csv -o "$tmp/men.lxf"
expect 0 "$prog" entries "$tmp/men.lxf" --standards invitation.lef --standards men.csv \
    --report /dev/null
grep -q "^entries: 4 read, 0 converted, 4 meeting, 0 missing" "$tmp/err" ||
    fail "men.lxf read back: $(cat "$tmp/err")"
grep -v "<CONSTRUCTOR" "$tmp/club.lef" >"$tmp/club-body.lef"
same club.lef "$tmp/club-body.lef"

# The invitation's rules: swims before its qualifying period are ineligible, and the summary
# gives the fees of the entries written, which `entries` reads back as meeting.
expect 1 "$prog" club-entries invitation-rules.lef --results $results \
    --contact-email secretary@leeds.example --report "$tmp/rules.csv" -o "$tmp/rules.lef"
grep -q "^club-entries: 3 ineligible by the invitation's rules" "$tmp/err" ||
    fail "rules: $(cat "$tmp/err")"
grep -q "^club-entries: fees of Leeds & District: 26.50 GBP (1 entry, 1 swimmer)$" "$tmp/err" ||
    fail "rules, fees: $(cat "$tmp/err")"
grep -q '"Dale, Cy",101,.*,ineligible,"swum 2026-02-14, before the qualifying period 2026-03-01 to 2026-06-05"' \
    "$tmp/rules.csv" || fail "rules: Dale's row: $(grep Dale "$tmp/rules.csv")"
expect 0 "$prog" entries "$tmp/rules.lef" --report /dev/null
grep -q "^entries: 1 read, 0 converted, 1 meeting" "$tmp/err" || fail "rules.lef read back: $(cat "$tmp/err")"

# SDIF results: prelims and finals in the pool of their course letter, codes, the 500 yards,
# diving and relays counted and left out; mixed with Lenex results for club-entries.
expect 0 "$prog" best-times county.cl2 --course LCM -o "$tmp/county.csv"
same best-county.csv "$tmp/county.csv"
same best-county.err "$tmp/err"
expect 0 "$prog" club-entries invitation.lef --results york.lef county.cl2 \
    --contact-email secretary@leeds.example -o "$tmp/mixed.lef"
grep -q "^club-entries: 12 results read: 7 swims, 2 not swum" "$tmp/err" ||
    fail "Lenex and SDIF mixed: $(cat "$tmp/err")"
printf 'Swimmer,Event\r\n' >"$tmp/notes.csv"
expect 2 "$prog" best-times county.cl2 "$tmp/notes.csv" --course LCM -o "$tmp/none.csv"
grep -q "notes.csv: neither a Lenex results file (XML) nor an SDIF one" "$tmp/err" ||
    fail "neither format: $(cat "$tmp/err")"

# Bad input: the message, exit status 2, nothing written.
expect 2 "$prog" best-times leeds.lef broken.lef --course LCM -o "$tmp/none.csv"
grep -q "^equivtimes-cli: broken.lef:4:" "$tmp/err" || fail "broken.lef: $(cat "$tmp/err")"
expect 2 "$prog" club-entries invitation.lef --results leeds.lef broken.lef -o "$tmp/none.lef"
expect 2 "$prog" club-entries invitation.lef --results york.lef -o york.lef
grep -q "york.lef: that is a file being read" "$tmp/err" || fail "onto an input: $(cat "$tmp/err")"
expect 2 "$prog" club-entries bad-course.lef --results leeds.lef -o "$tmp/none.lef"
grep -q "bad-course.lef: course 'LC' of the meet is no Lenex course" "$tmp/err" ||
    fail "bad-course.lef: $(cat "$tmp/err")"
expect 2 "$prog" best-times leeds.lef --course OPEN -o "$tmp/none.csv"
expect 2 "$prog" club-entries invitation.lef --results york.lef --from 2026-13-01 -o "$tmp/none.lef"
grep -q "^equivtimes-cli: --from 2026-13-01 is no date" "$tmp/err" || fail "--from: $(cat "$tmp/err")"
for email in secretary leeds.example@ "ann lee@leeds.example"; do
    expect 2 "$prog" club-entries invitation.lef --results york.lef --contact-email "$email" \
        -o "$tmp/none.lef"
    grep -q "is no email address" "$tmp/err" || fail "--contact-email $email: $(cat "$tmp/err")"
done
# Without a contact the file says so, and so does a line on standard error.
expect 0 "$prog" club-entries invitation.lef --results york.lef -o "$tmp/nobody.lef"
grep -q "^club-entries: no contact email given" "$tmp/err" || fail "no contact: $(cat "$tmp/err")"
grep -q '<CONTACT email="no-email-given@invalid"' "$tmp/nobody.lef" || fail "no contact in the file"
for none in none.csv none.lef; do
    [ ! -e "$tmp/$none" ] || fail "$none was written"
done
echo "results through the command line: $failed failures"
[ "$failed" -eq 0 ]
