#!/bin/sh
# Speed and memory of equivtimes-cli entries over a generated Lenex meet, against xmllint parsing
# the same file, timed as whole processes.
#
#   bench/meet/run.sh [PROGRAM] [ENTRIES]
#
# PROGRAM defaults to build/release/src/cli/equivtimes-cli; ENTRIES to 100000. Writes a meet of
# that many entries (four a swimmer, from all nine pools, a third with the qualifying swim's
# MEETINFO, two time standard lists), times
#   equivtimes-cli entries meet.lef --report report.csv -o converted.lef
# against
#   xmllint --noout meet.lef
# with hyperfine, and reports the peak resident memory of both against the file's size.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
prog=${1:-$here/../../build/release/src/cli/equivtimes-cli}
entries=${2:-100000}
[ -x "$prog" ] || { echo "no program at $prog (build the release preset first)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v entries="$entries" 'BEGIN {
    n = split("50 FREE,100 FREE,200 FREE,400 FREE,800 FREE,1500 FREE,50 BREAST,100 BREAST," \
              "200 BREAST,50 FLY,100 FLY,200 FLY,50 BACK,100 BACK,200 BACK,200 MEDLEY,400 MEDLEY",
              style, ",")
    split("LCM SCM SCM33 SCM20 SCY SCY20 SCY27 SCY33 SCY36 LCM LCM SCM", course, " ")
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    print "<LENEX version=\"3.0\">"
    print "  <CONSTRUCTOR name=\"Generated\" version=\"1.0\">"
    print "    <CONTACT name=\"Entries secretary\" email=\"entries@example.org\" />"
    print "  </CONSTRUCTOR>"
    print "  <MEETS>"
    print "    <MEET name=\"Generated Open Meet\" city=\"Sheffield\" nation=\"GBR\" course=\"LCM\">"
    print "      <AGEDATE type=\"YEAR\" value=\"2026-12-31\" />"
    print "      <SESSIONS>"
    for (s = 1; s <= 2; s++) {
        printf "        <SESSION number=\"%d\" date=\"2026-06-0%d\" course=\"LCM\">\n", s, s
        print "          <EVENTS>"
        for (e = 1; e <= n; e++) {
            split(style[e], part, " ")
            printf "            <EVENT eventid=\"%d\" number=\"%d\" gender=\"%s\">\n", s * 1000 + e,
                   (s - 1) * n + e, s == 1 ? "F" : "M"
            printf "              <SWIMSTYLE distance=\"%d\" relaycount=\"1\" stroke=\"%s\" />\n",
                   part[1], part[2]
            print "              <TIMESTANDARDREFS>"
            print "                <TIMESTANDARDREF timestandardlistid=\"1\" />"
            print "                <TIMESTANDARDREF timestandardlistid=\"2\" />"
            print "              </TIMESTANDARDREFS>"
            print "            </EVENT>"
        }
        print "          </EVENTS>"
        print "        </SESSION>"
    }
    print "      </SESSIONS>"
    print "      <CLUBS>"
    athlete = 0
    for (i = 0; i < entries; ) {
        club = int(athlete / 40)
        printf "        <CLUB name=\"Generated Swimming Club %d\" code=\"GSC%d\" nation=\"GBR\">\n", club, club
        print "          <ATHLETES>"
        for (a = 0; a < 40 && i < entries; a++) {
            athlete++
            g = athlete % 2
            printf "            <ATHLETE athleteid=\"%d\" lastname=\"Lastname%d\" firstname=\"Firstname\" gender=\"%s\" birthdate=\"20%02d-%02d-%02d\" license=\"%d\" nation=\"GBR\">\n",
                   athlete, athlete, g ? "F" : "M", 6 + athlete % 10, 1 + athlete % 12,
                   1 + athlete % 28, 1000000 + athlete
            print "              <ENTRIES>"
            for (k = 0; k < 4 && i < entries; k++) {
                e = (athlete * 7 + k * 5) % n + 1
                split(style[e], part, " ")
                h = int(part[1] * 55 + (i * 7919) % (part[1] * 40))
                c = course[i % 12 + 1]
                time = sprintf("%02d:%02d:%02d.%02d", int(h / 360000), int(h / 6000) % 60,
                               int(h / 100) % 60, h % 100)
                if (i % 3 == 0) {
                    printf "                <ENTRY eventid=\"%d\" entrytime=\"%s\" entrycourse=\"%s\">\n",
                           (g ? 1000 : 2000) + e, time, c
                    printf "                  <MEETINFO date=\"2026-0%d-1%d\" city=\"Leeds\" name=\"County Championships\" />\n",
                           1 + i % 5, i % 10
                    print "                </ENTRY>"
                } else {
                    printf "                <ENTRY eventid=\"%d\" entrytime=\"%s\" entrycourse=\"%s\" />\n",
                           (g ? 1000 : 2000) + e, time, c
                }
                i++
            }
            print "              </ENTRIES>"
            print "            </ATHLETE>"
        }
        print "          </ATHLETES>"
        print "        </CLUB>"
    }
    print "      </CLUBS>"
    print "    </MEET>"
    print "  </MEETS>"
    print "  <TIMESTANDARDLISTS>"
    split("LCM SCM", listCourse, " ")
    for (l = 1; l <= 2; l++) {
        printf "    <TIMESTANDARDLIST timestandardlistid=\"%d\" name=\"Qualifying %s\" course=\"%s\" gender=\"X\" type=\"MAXIMUM\">\n",
               l, listCourse[l], listCourse[l]
        print "      <TIMESTANDARDS>"
        for (e = 1; e <= n; e++) {
            split(style[e], part, " ")
            h = int(part[1] * (l == 1 ? 72 : 70))
            printf "        <TIMESTANDARD swimtime=\"%02d:%02d:%02d.%02d\">\n", int(h / 360000),
                   int(h / 6000) % 60, int(h / 100) % 60, h % 100
            printf "          <SWIMSTYLE distance=\"%d\" relaycount=\"1\" stroke=\"%s\" />\n",
                   part[1], part[2]
            print "        </TIMESTANDARD>"
        }
        print "      </TIMESTANDARDS>"
        print "    </TIMESTANDARDLIST>"
    }
    print "  </TIMESTANDARDLISTS>"
    print "</LENEX>"
}' >"$work/meet.lef"
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
