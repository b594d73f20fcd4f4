#!/bin/sh
# Batch conversion speed and memory of equivtimes-cli, timed as a whole process.
#
#   bench/batch/run.sh [PROGRAM] [ROWS]
#
# PROGRAM defaults to build/release/src/cli/equivtimes-cli (the release preset); ROWS to 1000000.
# Writes a generated entry list of every pool and event into a scratch folder, times
#   equivtimes-cli batch entries.csv -o converted.csv
# with hyperfine, and reports the peak resident memory (/usr/bin/time -v) for ROWS and for a
# tenth of ROWS, which should be the same: the batch streams.
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

hyperfine --warmup 1 --runs 10 --export-json "$work/timing.json" \
    "$prog batch $work/entries.csv -o $work/converted.csv" || true
mean=$(sed -n 's/.*"mean": *\([0-9.eE+-]*\).*/\1/p' "$work/timing.json" | head -n 1)
low=$(sed -n 's/.*"min": *\([0-9.eE+-]*\).*/\1/p' "$work/timing.json" | head -n 1)
awk -v r="$rows" -v m="$mean" -v l="$low" \
    'BEGIN { printf "rows per second: %.0f (mean), %.0f (fastest run)\n", r / m, r / l }'

for input in entries tenth; do
    /usr/bin/time -v "$prog" batch "$work/$input.csv" -o "$work/converted.csv" 2>"$work/time.txt" || true
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time.txt")
    echo "peak resident memory, $input.csv: $rss KiB"
done
# Every row of the generated list is a swim the window accepts.
rejected=$("$prog" batch "$work/entries.csv" -o "$work/converted.csv" 2>&1 >/dev/null | wc -l)
echo "output rows: $(($(wc -l <"$work/converted.csv") - 1)), rejected: $rejected"
