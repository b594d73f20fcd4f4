#!/bin/sh
# Speed and memory of equivtimes-cli entries over a generated Lenex meet, against xmllint parsing
# the same file, timed as whole processes.
#
#   bench/meet/run.sh [PROGRAM] [ENTRIES]
#
# PROGRAM defaults to build/release/src/cli/equivtimes-cli; ENTRIES to 100000. Writes a meet of
# that many entries (bench/meet/generate.sh), times
#   equivtimes-cli entries meet.lef --report report.csv -o converted.lef
# against
#   xmllint --noout meet.lef
# with hyperfine, and reports the peak resident memory of both against the file's size. It needs
# hyperfine, xmllint and GNU time (scripts/lib.sh's BENCH_PACKAGES; bench/run installs them).
set -eu
for tool in hyperfine xmllint /usr/bin/time; do
    command -v "$tool" >/dev/null 2>&1 ||
        { echo "$tool is missing: bench/run installs scripts/lib.sh's BENCH_PACKAGES" >&2; exit 2; }
done

here=$(cd "$(dirname "$0")" && pwd)
prog=${1:-$here/../../build/release/src/cli/equivtimes-cli}
entries=${2:-100000}
[ -x "$prog" ] || { echo "no program at $prog (build the release preset first)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/generate.sh" "$entries" >"$work/meet.lef"
size=$(wc -c <"$work/meet.lef")
echo "input: $entries entries, $size bytes"

run="$prog entries $work/meet.lef --report $work/report.csv -o $work/converted.lef"
hyperfine --warmup 1 --runs 10 --export-json "$work/timing.json" "$run" \
    "xmllint --noout $work/meet.lef" >&2
medians=$(sed -n 's/.*"median": *\([0-9.eE+-]*\).*/\1/p' "$work/timing.json")
entries_s=$(echo "$medians" | sed -n 1p)
xmllint_s=$(echo "$medians" | sed -n 2p)
awk -v a="$entries_s" -v b="$xmllint_s" \
    'BEGIN { printf "median wall time: entries %.3f s, xmllint --noout %.3f s, ratio %.2f\n", a, b, a / b }'

peak() {
    /usr/bin/time -v "$@" 2>"$work/time.txt" >/dev/null || true
    sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time.txt"
}
rss_entries=$(peak $run)
rss_xmllint=$(peak xmllint --noout "$work/meet.lef")
awk -v e="$rss_entries" -v x="$rss_xmllint" -v s="$size" \
    'BEGIN { printf "peak resident memory: entries %d KiB (%.2f times the file), xmllint %d KiB (%.2f times)\n",
             e, e * 1024 / s, x, x * 1024 / s }'
rss_lxf=$(peak "$prog" entries "$work/meet.lef" --report "$work/report.csv" -o "$work/converted.lxf")
awk -v e="$rss_lxf" -v s="$size" \
    'BEGIN { printf "peak resident memory, converted meet as .lxf: %d KiB (%.2f times the file)\n", e, e * 1024 / s }'
"$prog" entries "$work/meet.lef" --report /dev/null 2>&1 >/dev/null | tail -n 1
