#!/bin/sh
# Writes a season of generated SDIF results, SWIMS D0 lines in all (1000000 unless given) in FILES
# meets (10 unless given), into the folder DIR as meet1.sd3, meet2.sd3, ...
#
#   bench/sdif/generate.sh DIR [SWIMS] [FILES]
#
# Each meet is in one of the three SDIF pools (yards, short course metres, long course metres),
# 30,000 swimmers in 300 teams swimming in turn, one line a swimmer's swim in an event of the
# pool: a prelim and a final on every fourth line, a time code (NS, DQ, SCR) on one in twenty,
# a 500 yards free, a diving line and a relay now and then. A third of the swimmers carry no
# member number and a sixth no birth date, as in real files. Every line is 160 columns and CRLF.
set -eu
dir=$1
swims=${2:-1000000}
files=${3:-10}
mkdir -p "$dir"
f=1
while [ "$f" -le "$files" ]; do
    awk -v f="$f" -v swims="$((swims / files))" 'BEGIN {
        split("Y S L", letters, " ")
        course = letters[f % 3 + 1]
        n = split("50 1,100 1,200 1,400 1,800 1,1500 1,50 2,100 2,200 2,50 3,100 3,200 3," \
                  "50 4,100 4,200 4,200 5,400 5", style, ",")
        blank = sprintf("%160s", "")
        line("A01V3      02Meet Results                  Generated")
        b1 = put("B11", 12, "Generated Meet " f)
        b1 = put(b1, 86, "City " f)
        b1 = put(b1, 122, sprintf("%02d%02d2025%02d%02d2025", 1 + f % 12, 1 + f % 28, 1 + f % 12,
                                  2 + f % 27))
        line(put(b1, 150, course))
        first = (f * 397) % 30000
        for (i = 0; i < swims; i++) {
            s = (first + int(i / 4)) % 30000
            if (i % 400 == 0) {
                line(sprintf("C11        TM%04dGenerated Team %d", int(s / 100), int(s / 100)))
            }
            e = (s * 7 + i * 5 + f) % n + 1
            split(style[e], part, " ")
            d = part[1]
            if (course == "Y" && d == 1500) d = 1650
            if (course == "Y" && d == 400 && part[2] == 1 && i % 50 == 0) d = 500
            stroke = i % 997 == 0 ? "H" : part[2]
            number = s % 3 == 0 ? "" : sprintf("%07d", 1000000 + s)
            born = s % 6 == 1 ? "" : sprintf("%02d%02d20%02d", 1 + s % 12, 1 + s % 28, 8 + s % 10)
            h = int(d * (5500 + (s * 7919 + f * 104729 + i * 31) % 2500) / 100)
            t = times(h)
            finals = (s + f + i) % 20 == 0 ? sprintf("%-8s", i % 3 == 0 ? "NS" : i % 3 == 1 ? "DQ" : "SCR") : t
            prelim = i % 4 == 0 ? times(h + 150) course : sprintf("%9s", "")
            # Columns 12-39 name, 40-51 member number, 56-63 birth date, 64-80 age, sex, event
            # sex, distance, stroke, event number and age code, 81-88 date of swim, 89-97 the
            # seed left blank, 98-106 prelim, 107-115 swim-off, 116-124 finals.
            rest = sprintf("%-28s%-12s    %-8s%-2d%s%s%4d%s%4dUNOV%02d%02d2025", \
                           "Lastname" s ", Firstname", number, born, 8 + s % 10, \
                           s % 2 ? "F" : "M", s % 2 ? "F" : "M", d, stroke, e, \
                           1 + f % 12, 1 + f % 28)
            rest = rest sprintf("%9s", "") prelim sprintf("%9s", "") finals course
            line("D01        " rest)
            if (i % 1000 == 999) {
                e0 = put(put("E01", 12, sprintf("ATM%04d  F  200 1%4d UNOV", int(s / 100), n + 1)),
                         116, " 1:52.40" course)
                line(e0)
            }
        }
        line("Z01        02")
    }
    function times(h) {
        return h >= 6000 ? sprintf("%2d:%02d.%02d", int(h / 6000), int(h / 100) % 60, h % 100) \
                         : sprintf("%8s", sprintf("%d.%02d", int(h / 100), h % 100))
    }
    # text put at column col (1-based) of line, blanks between
    function put(text, col, what) {
        return sprintf("%-" (col - 1) "s", substr(text, 1, col - 1)) what substr(text, col + length(what))
    }
    function line(text) {
        printf "%-160s\r\n", substr(text, 1, 160)
    }' >"$dir/meet$f.sd3"
    f=$((f + 1))
done
