#!/bin/sh
# Speed and memory of equivtimes-cli best-times over a season of generated SDIF results, against
# an awk pass that cuts the same columns of every swim, timed side by side as whole processes.
#
#   bench/sdif/run.sh [PROGRAM] [SWIMS]
#
# PROGRAM defaults to build/release/src/cli/equivtimes-cli, SWIMS to 1000000 D0 lines in ten
# meets' files (bench/sdif/generate.sh). Times
#   equivtimes-cli best-times meet1.sd3 ... meet10.sd3 --course LCM -o best.csv
# against
#   awk '/^D0/ { print the name, member number, birth date, sex, distance, stroke, date of swim,
#                prelim, swim-off and finals columns }' meet1.sd3 ... >cut.txt
# with hyperfine (ROUNDS runs each, BENCH_SDIF_ROUNDS, 10), then the peak resident memory of both
# (/usr/bin/time -v).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
prog=${1:-$here/../../build/release/src/cli/equivtimes-cli}
swims=${2:-1000000}
[ -x "$prog" ] || { echo "no program at $prog (build the release preset first)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/generate.sh" "$work" "$swims" 10
files=$(ls "$work"/meet*.sd3 | tr '\n' ' ')
echo "input: $swims swims in 10 files, $(cat $files | wc -c) bytes"

best="$prog best-times $files --course LCM -o $work/best.csv"
cut="awk '/^D0/ { print substr(\$0, 12, 28), substr(\$0, 40, 12), substr(\$0, 56, 8), substr(\$0, 66, 1), substr(\$0, 68, 5), substr(\$0, 81, 8), substr(\$0, 98, 9), substr(\$0, 107, 9), substr(\$0, 116, 9) }' $files"
rounds=${BENCH_SDIF_ROUNDS:-10}
hyperfine --warmup 1 --runs "$rounds" --export-json "$work/timing.json" --output null \
    -n best-times "$best" -n "awk cut" "$cut" >&2
medians=$(sed -n 's/.*"median": *\([0-9.eE+-]*\).*/\1/p' "$work/timing.json")
best_s=$(echo "$medians" | sed -n 1p)
cut_s=$(echo "$medians" | sed -n 2p)
awk -v b="$best_s" -v c="$cut_s" 'BEGIN {
    printf "median wall time: best-times %.3f s, awk cut %.3f s, ratio %.2f\n", b, c, b / c }'
rss() { # COMMAND: its peak resident memory in KiB
    eval "/usr/bin/time -v $1" >/dev/null 2>"$work/time.txt" || true
    sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time.txt"
}
echo "peak resident memory: best-times $(rss "$best") KiB, awk cut $(rss "$cut") KiB"
eval "$best" 2>&1 >/dev/null | tail -n 2
