#!/bin/sh
# Writes a generated Lenex meet of ENTRIES entries (100000 unless given) to standard output: four
# entries a swimmer, from all nine pools, a third with the qualifying swim's MEETINFO, 40 swimmers
# a club, two time standard lists. bench/meet/run.sh and the entries page's benchmark read it.
#
#   bench/meet/generate.sh [ENTRIES] >meet.lef
set -eu
entries=${1:-100000}
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
}'
