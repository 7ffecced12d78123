#!/bin/sh
# The analysis tool from the command line: a record on standard input, in English and in
# Japanese, a bad record and a bad option refused with a message naming them (a bad move's
# control characters escaped), a non-zero exit and no page written.
# Usage: check-analyze-tool.sh TOOL SCRATCH_FOLDER
tool=$1
scratch=$2
mkdir -p "$scratch"
page="$scratch/analysis.html"
failed=0

# expect NAME STATUS TEXT -- ARGUMENTS...: the tool exits with STATUS (0 or "nonzero"), its
# output holds TEXT, and the page is written exactly when it succeeds with --html.
expect() {
    name=$1 status=$2 text=$3
    shift 4
    rm -f "$page"
    output=$("$tool" "$@" 2>&1 < "$scratch/input")
    code=$?
    if [ "$status" = 0 ] && [ $code -ne 0 ]; then echo "$name: exit $code"; failed=1; fi
    if [ "$status" != 0 ] && [ $code -eq 0 ]; then echo "$name: exit 0"; failed=1; fi
    case $output in *"$text"*) ;; *) echo "$name: no '$text' in: $output"; failed=1 ;; esac
    if [ $code -ne 0 ] && [ -e "$page" ]; then echo "$name: a page was written"; failed=1; fi
}

printf 'f5d6c3\r\n' > "$scratch/input"
expect stdin 0 "   3  black  c3" -- --quiet --level 2 --html "$page" -
[ -s "$page" ] || { echo "stdin: no page"; failed=1; }
expect japanese 0 "   3  黒     c3" -- --quiet --level 2 --lang ja --html "$page" -
grep -q '<html lang="ja">' "$page" || { echo "japanese: the page is not in Japanese"; failed=1; }
expect bad-record nonzero "move 3 'e9' is not a square name" -- --html "$page" f5f6e9
printf 'f5\033[2J' > "$scratch/input"
expect escaped-move nonzero "move 2 '\\x1b[' is not a square name" -- --html "$page" -
case $output in *"$(printf '\033')"*) echo "escaped-move: a raw ESC in: $output"; failed=1 ;; esac
expect illegal-move nonzero "move 2 (f5) is not legal for white" -- --html "$page" f5f5
expect unknown-option nonzero "unknown option --exat" -- --exat 12 --html "$page" f5d6
expect bad-level nonzero "--level needs a whole number from 2 to 4, not '1'" -- --level 1 --html "$page" f5d6
expect bad-type nonzero "--type needs a thinking type A-D, not 'E'" -- --type E --html "$page" f5d6
expect bad-exact nonzero "--exact needs a whole number from 0 to 30, not '6x'" -- --exact 6x --html "$page" f5d6
expect bad-language nonzero "--lang needs en (English) or ja (Japanese), not 'fr'" -- --lang fr --html "$page" f5d6
expect missing-value nonzero "--html needs a value" -- f5d6 --html
expect two-records nonzero "more than one record given" -- --html "$page" f5d6 f5f6
head -c 5000 /dev/zero | tr '\0' 'f' > "$scratch/input"
expect too-long nonzero "standard input holds more than 4096 characters" -- --html "$page"
exit $failed
