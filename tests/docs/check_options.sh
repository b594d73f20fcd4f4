#!/usr/bin/env bash
# Every subcommand and every option that equivtimes-cli offers (as its --help lists them) is told
# in the manual page and in the guides (README.md and docs/*.md), so that neither falls behind
# the program. Prints each one missing.
#
# Usage: check_options.sh PROGRAM SOURCE_DIR
set -u
prog=$1
source_dir=$2
man="$source_dir/packaging/man/equivtimes-cli.1.in"
guides=$(cat "$source_dir/README.md" "$source_dir"/docs/*.md)
# The manual page as text: its escaped hyphens read as hyphens.
manual=$(sed 's/\\-/-/g' "$man")

failed=0
checked=0
missing() {
    echo "FAIL $1"
    failed=$((failed + 1))
}

subcommands=$("$prog" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z-]*\) .*/\1/p')
[ -n "$subcommands" ] || missing "no subcommands in equivtimes-cli --help"
for sub in $subcommands; do
    checked=$((checked + 1))
    grep -q "^\.SS $sub\$" <<<"$manual" || missing "the manual page has no section for $sub"
    grep -qF "equivtimes-cli $sub" <<<"$guides" || missing "no guide shows equivtimes-cli $sub"
    for option in $("$prog" "$sub" --help |
        sed -n '/^Options:/,/^$/s/^  \(-[a-z],\)\{0,1\}\(--[a-z-]*\).*/\2/p'); do
        [ "$option" = --help ] && continue
        checked=$((checked + 1))
        # In the manual page the option stands in its subcommand's section.
        sed -n "/^\.SS $sub\$/,/^\.S[SH] /p" <<<"$manual" | grep -qF -- "$option" ||
            missing "the manual page's $sub section does not tell $option"
        grep -qF -- "$option" <<<"$guides" || missing "no guide tells $sub $option"
    done
done
echo "$checked subcommands and options checked, $failed missing"
[ "$failed" -eq 0 ]
