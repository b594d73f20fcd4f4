#!/bin/sh
# Includes run one way: the core <- check <- club <- the file formats <- any file told by content
# (formats) <- the programs and views.
# Reads every source's #include lines under the tree given and fails on one that runs up (or
# across, between two folders of one layer above the core), on an include of a folder of src/
# whose layer is not known here, and on pugixml or libzip included outside the file formats.
# Usage: check_includes.sh TREE [EXPECTED]: TREE holds src/ (and web/src/, tests/, bench/,
# fuzz/); with EXPECTED, the faults found must be those that file lists, and no others.
set -eu
tree=$1
expected=${2:-}
if [ -n "$expected" ]; then
    expected=$(cd "$(dirname "$expected")" && pwd)/$(basename "$expected")
fi
found=$(mktemp)
trap 'rm -f "$found"' EXIT

folders=$(cd "$tree/src" && find . -mindepth 1 -maxdepth 1 -type d | sed 's|^\./||' | sort)
cd "$tree"
find src web/src tests bench fuzz \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) \
    -type f 2>/dev/null | sort | xargs grep -Hn '^[[:space:]]*#[[:space:]]*include' |
    awk -v folders="$folders" '
    BEGIN {
        n = split("model convert points swim io", core, " ")
        for (i = 1; i <= n; ++i) layer[core[i]] = 0
        layer["check"] = 1
        layer["club"] = 2
        n = split("lenex sdif chart", formats, " ")
        for (i = 1; i <= n; ++i) layer[formats[i]] = 3
        # Above the formats: meet files of any format, told by content.
        layer["formats"] = 4
        n = split("ui app cli entries entries_app web tests bench fuzz", top, " ")
        for (i = 1; i <= n; ++i) layer[top[i]] = 5
        n = split(folders, list, "\n")
        for (i = 1; i <= n; ++i) inSrc[list[i]] = 1
    }
    {
        split($0, parts, ":")
        file = parts[1]
        line = parts[2]
        from = file
        sub(/^src\//, "", from)
        sub(/\/.*/, "", from)
        include = $0
        if (!match(include, /[<"][^>"]*[>"]/)) next
        include = substr(include, RSTART + 1, RLENGTH - 2)
        if (include == "pugixml.hpp" || include == "zip.h") {
            if (from != "lenex" && from != "sdif" && layer[from] != 5)
                print file ":" line ": <" include "> belongs to the file formats only"
            next
        }
        if (include !~ /\//) next
        to = include
        sub(/\/.*/, "", to)
        if (!(to in inSrc)) next # a system or third-party header
        if (!(from in layer) || !(to in layer)) {
            print file ":" line ": \"" include "\": no layer known for " from " or " to \
                " (tests/layers)"
        } else if (layer[to] > layer[from]) {
            print file ":" line ": \"" include "\" runs up, from " from " to " to
        } else if (layer[to] == layer[from] && from != to && layer[from] > 0 &&
                   layer[from] < 5) {
            print file ":" line ": \"" include "\" runs across, from " from " to " to
        }
    }' >"$found"
if [ -n "$expected" ]; then
    diff "$expected" "$found"
elif [ -s "$found" ]; then
    cat "$found"
    exit 1
fi
