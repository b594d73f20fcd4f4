#!/bin/sh
# Batch conversion speed and memory of equivtimes-cli, timed as a whole process.
#
#   bench/batch/run.sh [PROGRAM] [ROWS]
#
# PROGRAM defaults to build/release/src/cli/equivtimes-cli (the release preset); ROWS to 1000000.
# Writes a generated entry list of every pool and event into a scratch folder and times
#   equivtimes-cli batch entries.csv -o converted.csv
# against an awk pass over the same file that splits every record into its fields and writes it
# out again (awk -F, -v OFS=, '{ print $0, NF }'). The two take turns: each of ROUNDS rounds
# (BENCH_BATCH_ROUNDS, 15) runs both once with hyperfine, so that whatever else the machine does
# falls on both alike; the ratio is the median of the rounds' ratios. Then the peak resident
# memory (/usr/bin/time -v) of the batch for ROWS and for a tenth of ROWS, which should be the
# same (the batch streams), and of the awk pass.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
prog=${1:-$here/../../build/release/src/cli/equivtimes-cli}
rows=${2:-1000000}
[ -x "$prog" ] || { echo "no program at $prog (build the release preset first)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An entry list that walks every pool and event, with times from quick to slow for the
# distance, typed as m:ss.hh, and a swimmer and club column that pass through.
generate() {
    awk -v rows="$1" 'BEGIN {
        split("50m 33m 25m 20m 36y 27y 33y 25y 20y", pool, " ")
        n = split("50 Free,100 Free,200 Free,400 Free,800 Free,1500 Free,50 Breast,100 Breast," \
                  "200 Breast,50 Fly,100 Fly,200 Fly,50 Back,100 Back,200 Back,200 IM,400 IM",
                  event, ",")
        print "swimmer,club,pool,event,time"
        for (i = 0; i < rows; i++) {
            e = event[i % n + 1]
            split(e, part, " ")
            # From 0.5 to 1.2 seconds a metre, in hundredths spread over the range.
            h = int(part[1] * 50 + (i * 7919) % (part[1] * 70))
            printf "Swimmer %d,Club %d,%s,%s,%d:%02d.%02d\n", i, i % 97, pool[i % 9 + 1], e,
                   int(h / 6000), int(h / 100) % 60, h % 100
        }
    }'
}

generate "$rows" >"$work/entries.csv"
generate "$((rows / 10))" >"$work/tenth.csv"
echo "input: $rows rows, $(wc -c <"$work/entries.csv") bytes"

batch="$prog batch $work/entries.csv -o $work/converted.csv"
pass="awk -F, -v OFS=, '{ print \$0, NF }' $work/entries.csv"
rounds=${BENCH_BATCH_ROUNDS:-15}
hyperfine -N --runs 1 "$batch" "$pass" >/dev/null 2>&1 || true # warm the file cache
: >"$work/rounds.txt"
i=0
while [ "$i" -lt "$rounds" ]; do
    hyperfine -N --runs 1 --export-json "$work/round.json" "$batch" "$pass" >/dev/null 2>&1 || true
    sed -n 's/.*"mean": *\([0-9.eE+-]*\).*/\1/p' "$work/round.json" | paste -s -d ' ' - \
        >>"$work/rounds.txt"
    i=$((i + 1))
done
# One line a round: batch seconds, awk seconds.
awk -v rows="$rows" '
    function median(list, n,    i, j, t) {
        for (i = 2; i <= n; i++) {
            t = list[i]
            for (j = i - 1; j >= 1 && list[j] > t; j--) { list[j + 1] = list[j] }
            list[j + 1] = t
        }
        return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
    }
    NF == 2 && $2 > 0 { n++; b[n] = $1; a[n] = $2; r[n] = $1 / $2 }
    END {
        if (n == 0) { print "no timing"; exit 1 }
        mb = median(b, n); ma = median(a, n)
        printf "median wall time over %d alternating rounds: batch %.3f s, awk %.3f s, ratio %.2f\n",
               n, mb, ma, median(r, n)
        printf "rows per second: %.0f (median)\n", rows / mb
    }' "$work/rounds.txt"

for input in entries tenth; do
    /usr/bin/time -v "$prog" batch "$work/$input.csv" -o "$work/converted.csv" 2>"$work/time.txt" || true
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time.txt")
    echo "peak resident memory, $input.csv: $rss KiB"
done
/usr/bin/time -v awk -F, -v OFS=, '{ print $0, NF }' "$work/entries.csv" >/dev/null 2>"$work/time.txt"
echo "peak resident memory, awk pass: $(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time.txt") KiB"
# Every row of the generated list is a swim the window accepts.
rejected=$("$prog" batch "$work/entries.csv" -o "$work/converted.csv" 2>&1 >/dev/null | wc -l)
echo "output rows: $(($(wc -l <"$work/converted.csv") - 1)), rejected: $rejected"
