#!/bin/sh
# Speed of equivtimes-cli best-times and club-entries over a season's generated Lenex results,
# against xmllint parsing the same files, timed side by side as whole processes in one run.
#
#   bench/results/run.sh [PROGRAM] [FILES] [SWIMS]
#
# PROGRAM defaults to build/release/src/cli/equivtimes-cli, FILES to 50 results files, SWIMS to
# 2000 swims a file. Each file is one meet in one of the nine pools (distances as the yard pools
# write them), 500 swimmers of 3000 each swimming four events, one swim in twenty disqualified,
# a few relays; a fifth of the swimmers carry no license and are known by name, in upper case in
# every other file. The invitation has 30 events (15 swim styles for women and for men) in a 50
# metre pool, two age groups on half of them, and two qualifying lists, LCM and SCM. Times
#   equivtimes-cli best-times RESULTS... --course LCM -o best.csv
#   equivtimes-cli club-entries invitation.lef --results RESULTS... --club "Swimming Club 7" \
#       --report report.csv -o club.lxf       (a club of 100 swimmers)
# against
#   xmllint --noout invitation.lef RESULTS...
# with hyperfine, and club-entries for every club of the region (3000 swimmers) beside them.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
prog=${1:-$here/../../build/release/src/cli/equivtimes-cli}
files=${2:-50}
swims=${3:-2000}
[ -x "$prog" ] || { echo "no program at $prog (build the release preset first)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

styles="50 FREE,100 FREE,200 FREE,400 FREE,800 FREE,1500 FREE,50 BREAST,100 BREAST,200 BREAST,50 FLY,100 FLY,200 FLY,50 BACK,100 BACK,200 BACK,200 MEDLEY,400 MEDLEY"
f=1
while [ "$f" -le "$files" ]; do
    awk -v f="$f" -v swims="$swims" -v styles="$styles" 'BEGIN {
        n = split(styles, style, ",")
        split("LCM SCM SCM33 SCM20 SCY SCY20 SCY27 SCY33 SCY36", courses, " ")
        course = courses[f % 9 + 1]
        yards = course ~ /^SCY/
        long = course == "SCY27" || course == "SCY36"
        print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        print "<LENEX version=\"3.0\">"
        print "  <CONSTRUCTOR name=\"Generated\" version=\"1.0\" />"
        print "  <MEETS>"
        printf "    <MEET name=\"Generated Meet %d\" city=\"City %d\" nation=\"GBR\" course=\"%s\">\n", f, f, course
        print "      <SESSIONS>"
        printf "        <SESSION number=\"1\" date=\"2026-%02d-%02d\">\n", 1 + f % 12, 1 + f % 28
        print "          <EVENTS>"
        for (e = 1; e <= n; e++) {
            split(style[e], part, " ")
            d = part[1]
            if (yards && d == 1500) d = 1650
            else if (long) d = d * 11 / 10
            printf "            <EVENT eventid=\"%d\" number=\"%d\"><SWIMSTYLE distance=\"%d\" relaycount=\"1\" stroke=\"%s\" /></EVENT>\n", e, e, d, part[2]
        }
        printf "            <EVENT eventid=\"%d\" number=\"%d\"><SWIMSTYLE distance=\"50\" relaycount=\"4\" stroke=\"FREE\" /></EVENT>\n", n + 1, n + 1
        print "          </EVENTS>"
        print "        </SESSION>"
        print "      </SESSIONS>"
        print "      <CLUBS>"
        clubend = sprintf("          </ATHLETES>\n          <RELAYS><RELAY number=\"1\" gender=\"F\"><RESULTS><RESULT eventid=\"%d\" swimtime=\"00:01:52.40\" /></RESULTS></RELAY></RELAYS>\n        </CLUB>", n + 1)
        athletes = int(swims / 4)
        first = (f * 397) % 3000
        club = -1
        for (a = 0; a < athletes; a++) {
            s = (first + a) % 3000
            if (int(s / 100) != club || a == 0) {
                if (a > 0) print clubend
                club = int(s / 100)
                printf "        <CLUB name=\"Swimming Club %d\" code=\"SC%d\" nation=\"GBR\">\n          <ATHLETES>\n", club, club
            }
            last = "Lastname" s
            if (s % 5 == 0 && f % 2 == 0) last = toupper(last)
            license = s % 5 == 0 ? "" : sprintf(" license=\"%d\"", 1000000 + s)
            printf "            <ATHLETE athleteid=\"%d\" lastname=\"%s\" firstname=\"Firstname\" gender=\"%s\" birthdate=\"20%02d-%02d-%02d\"%s>\n", a + 1, last, s % 2 ? "F" : "M", 8 + s % 10, 1 + s % 12, 1 + s % 28, license
            print "              <RESULTS>"
            for (k = 0; k < 4; k++) {
                e = (s * 7 + k * 5 + f) % n + 1
                split(style[e], part, " ")
                h = int(part[1] * (5500 + (s * 7919 + f * 104729 + k * 31) % 2500) / 100)
                status = (s + f + k) % 20 == 0 ? " status=\"DSQ\"" : ""
                printf "                <RESULT resultid=\"%d\" eventid=\"%d\" swimtime=\"%02d:%02d:%02d.%02d\"%s />\n", a * 4 + k, e, int(h / 360000), int(h / 6000) % 60, int(h / 100) % 60, h % 100, status
            }
            print "              </RESULTS>"
            print "            </ATHLETE>"
        }
        print clubend
        print "      </CLUBS>"
        print "    </MEET>"
        print "  </MEETS>"
        print "</LENEX>"
    }' >"$work/results$f.lef"
    f=$((f + 1))
done

awk -v styles="$styles" 'BEGIN {
    n = split(styles, style, ",")
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    print "<LENEX version=\"3.0\">"
    print "  <CONSTRUCTOR name=\"Generated\" version=\"1.0\" />"
    print "  <MEETS>"
    print "    <MEET name=\"Generated Championships\" city=\"Sheffield\" nation=\"GBR\" course=\"LCM\">"
    print "      <AGEDATE type=\"YEAR\" value=\"2026-12-31\" />"
    print "      <SESSIONS>"
    print "        <SESSION number=\"1\" date=\"2026-12-05\">"
    print "          <EVENTS>"
    id = 0
    for (g = 0; g < 2; g++) {
        for (e = 1; e <= 15; e++) {
            split(style[e], part, " ")
            id++
            printf "            <EVENT eventid=\"%d\" number=\"%d\" gender=\"%s\">\n", id, id, g ? "M" : "F"
            printf "              <SWIMSTYLE distance=\"%d\" relaycount=\"1\" stroke=\"%s\" />\n", part[1], part[2]
            if (e % 2 == 0) {
                print "              <AGEGROUPS><AGEGROUP agegroupid=\"1\" agemin=\"11\" agemax=\"14\" /><AGEGROUP agegroupid=\"2\" agemin=\"15\" agemax=\"-1\" /></AGEGROUPS>"
            }
            print "              <TIMESTANDARDREFS><TIMESTANDARDREF timestandardlistid=\"1\" /><TIMESTANDARDREF timestandardlistid=\"2\" /></TIMESTANDARDREFS>"
            print "            </EVENT>"
        }
    }
    print "          </EVENTS>"
    print "        </SESSION>"
    print "      </SESSIONS>"
    print "    </MEET>"
    print "  </MEETS>"
    print "  <TIMESTANDARDLISTS>"
    split("LCM SCM", listCourse, " ")
    for (l = 1; l <= 2; l++) {
        printf "    <TIMESTANDARDLIST timestandardlistid=\"%d\" name=\"Qualifying %s\" course=\"%s\" gender=\"X\" type=\"MAXIMUM\">\n      <TIMESTANDARDS>\n", l, listCourse[l], listCourse[l]
        for (e = 1; e <= n; e++) {
            split(style[e], part, " ")
            h = int(part[1] * (l == 1 ? 68 : 66))
            printf "        <TIMESTANDARD swimtime=\"%02d:%02d:%02d.%02d\"><SWIMSTYLE distance=\"%d\" relaycount=\"1\" stroke=\"%s\" /></TIMESTANDARD>\n", int(h / 360000), int(h / 6000) % 60, int(h / 100) % 60, h % 100, part[1], part[2]
        }
        print "      </TIMESTANDARDS>\n    </TIMESTANDARDLIST>"
    }
    print "  </TIMESTANDARDLISTS>"
    print "</LENEX>"
}' >"$work/invitation.lef"

results=$(ls "$work"/results*.lef | tr '\n' ' ')
size=$(cat "$work"/results*.lef | wc -c)
echo "input: $files results files of $swims swims, $size bytes; an invitation of 30 events"
best="$prog best-times $results --course LCM -o $work/best.csv"
club="$prog club-entries $work/invitation.lef --results $results --club \"Swimming Club 7\" --report $work/report.csv -o $work/club.lxf"
region="$prog club-entries $work/invitation.lef --results $results --report $work/region.csv -o $work/region.lxf"
lint="xmllint --noout $work/invitation.lef $results"
hyperfine --warmup 1 --runs 10 --export-json "$work/timing.json" \
    -n best-times "$best" -n club-entries "$club" -n "club-entries, every club" "$region" \
    -n "xmllint --noout" "$lint" >&2
medians=$(sed -n 's/.*"median": *\([0-9.eE+-]*\).*/\1/p' "$work/timing.json")
best_s=$(echo "$medians" | sed -n 1p)
club_s=$(echo "$medians" | sed -n 2p)
region_s=$(echo "$medians" | sed -n 3p)
lint_s=$(echo "$medians" | sed -n 4p)
awk -v b="$best_s" -v c="$club_s" -v r="$region_s" -v x="$lint_s" 'BEGIN {
    printf "median wall time: best-times %.3f s, club-entries %.3f s, every club %.3f s, xmllint --noout %.3f s, ratios %.2f %.2f %.2f\n",
           b, c, r, x, b / x, c / x, r / x }'
eval "$best" 2>&1 >/dev/null | tail -n 2
eval "$club" 2>&1 >/dev/null | tail -n 1
eval "$region" 2>&1 >/dev/null | tail -n 1
