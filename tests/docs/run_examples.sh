#!/usr/bin/env bash
# Runs the command examples of a Markdown document and compares what they print with what the
# document shows, so that an example cannot go stale.
#
# An example is a fenced block with the info string `console`:
#     ```console
#     $ equivtimes-cli points --event "100 Free" --sex female --pool 25m --points 800
#     100 Free, female, 25 metres: 800 points needs 58.04 or faster
#     ...
#     ```
# Each `$ ` line is a command (a line ending in `\` goes on to the next), run by bash; the lines
# after it, up to the next command, are what it prints: its standard output, then its standard
# error (a CSV file's CR before each line end is dropped, as the document cannot show it). A line
# `[exit status N]` says that the command exits with N; without one it must exit with 0.
# The commands of one block run one after the other in a scratch folder holding a copy of the
# document's example folder: docs/examples unless a line `<!-- examples run in FOLDER -->`
# (relative to the source tree) before the block names another. `equivtimes-cli` is the program
# built. A `$ ` line in any other fenced block is an example that would not be run: a fault.
#
# Usage: run_examples.sh PROGRAM SOURCE_DIR DOCUMENT.md
set -u
prog=$1
source_dir=$2
doc=$3
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
ln -s "$(realpath "$prog")" "$tmp/bin/equivtimes-cli"
export PATH="$tmp/bin:$PATH" LC_ALL=C.UTF-8

failed=0
commands=0
fail() {
    echo "FAIL $doc:$*"
    failed=$((failed + 1))
}

# Runs the command of $doc's line $1 in the folder $2, the text in $command, and compares what it
# prints and its exit status with $expected and $expected_status.
check() {
    (cd "$2" && bash -c "$command") </dev/null >"$tmp/out" 2>"$tmp/err"
    local status=$?
    commands=$((commands + 1))
    cat "$tmp/out" "$tmp/err" | tr -d '\r' >"$tmp/actual"
    printf '%s' "$expected" >"$tmp/expected"
    if ! cmp -s "$tmp/expected" "$tmp/actual"; then
        fail "$1: the output of \`$command\` differs from the document's"
        diff -u "$tmp/expected" "$tmp/actual" | head -40
    fi
    if [ "$status" != "$expected_status" ]; then
        fail "$1: \`$command\` exits with $status, the document says $expected_status"
    fi
}

# Runs the commands of one console block, its lines in the array `block` starting at $doc's
# line $1, in a fresh copy of the example folder $2.
run_block() {
    local first=$1 folder=$2 i=0 line number=0
    local work="$tmp/work$first"
    if [ ! -d "$source_dir/$folder" ]; then
        fail "$first: the example folder $folder does not exist"
        return
    fi
    mkdir "$work" && cp -R "$source_dir/$folder/." "$work/"
    command='' expected='' expected_status=0
    while [ "$i" -lt "${#block[@]}" ]; do
        line=${block[$i]}
        if [[ $line == '$ '* ]]; then
            [ -n "$command" ] && check "$number" "$work"
            number=$((first + i))
            command=${line#\$ }
            while [[ $line == *\\ ]] && [ $((i + 1)) -lt "${#block[@]}" ]; do
                i=$((i + 1))
                line=${block[$i]}
                command+=$'\n'$line
            done
            expected='' expected_status=0
        elif [ -z "$command" ]; then
            fail "$((first + i)): a console block that does not start with a \`\$ \` command"
            return
        elif [[ $line =~ ^\[exit\ status\ ([0-9]+)\]$ ]]; then
            expected_status=${BASH_REMATCH[1]}
        else
            expected+=$line$'\n'
        fi
        i=$((i + 1))
    done
    [ -n "$command" ] && check "$number" "$work"
}

folder=docs/examples
fence='' info='' block=() start=0 number=0
while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    if [ -z "$fence" ]; then
        if [[ $line =~ ^\<\!--\ examples\ run\ in\ ([^ ]+)\ --\>$ ]]; then
            folder=${BASH_REMATCH[1]}
        elif [[ $line =~ ^(\`\`\`+)(.*)$ ]]; then
            fence=${BASH_REMATCH[1]} info=${BASH_REMATCH[2]} block=() start=$((number + 1))
        fi
    elif [ "$line" = "$fence" ]; then
        if [ "$info" = console ]; then
            run_block "$start" "$folder"
        else
            for i in "${!block[@]}"; do
                if [[ ${block[$i]} == '$ '* ]]; then
                    fail "$((start + i)): a command example outside a console block is not run"
                fi
            done
        fi
        fence=''
    else
        block+=("$line")
    fi
done <"$source_dir/$doc"
[ -z "$fence" ] || fail "$start: a fenced block that is never closed"

echo "$doc: $commands commands run, $failed failures"
[ "$failed" -eq 0 ]
