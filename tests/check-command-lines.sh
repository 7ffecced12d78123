#!/usr/bin/env bash
# The programs' command lines: --help and --version answered on standard output, an unknown
# option refused on one line naming it, and inputs that are missing, empty or not what they
# should be refused with a message naming them, exit status 2 and nothing written.
# Usage: check-command-lines.sh VERSION WORK_FOLDER PROGRAM...
#   Rows "PROGRAM | ARGUMENTS | STATUS | EXPECTED | KEPT" run in order in one work folder, with
#   no standard input: a program's rows and the rows of "*" (every program given, the game's
#   too). @NAME@ is the program's file name, @VERSION@ the version; EXPECTED is "out:TEXT" or
#   "err:TEXT" (that stream holds TEXT) or "out=TEXT" (standard output is exactly TEXT); KEPT
#   names files the run must leave as they are. ARGUMENTS may begin with NAME=VALUE words,
#   the program's environment (an empty VALUE unsets). A failure must leave standard output
#   empty and the whole work folder as it was; a refusal (2) also says why on one line.
set -uo pipefail
version=$1 work=$2
shift 2
data=$(cd "$(dirname "$0")/data" && pwd)
programs=()
for path in "$@"; do
    [[ -x $path ]] || { echo "no program $path"; exit 1; }
    programs+=("$(realpath "$path")")
done

rows() {
    cat <<'EOF'
*                    | --help                                   | 0 | out:@NAME@                           |
*                    | --version                                | 0 | out=@NAME@ @VERSION@                 |
*                    | --no-such-option                         | 2 | err:--no-such-option                 |
tolvaney             | --no-such-option --help                  | 0 | out:--from-menu                      |
tolvaney             | DISPLAY=:12345 WAYLAND_DISPLAY= QT_QPA_PLATFORM= | 1 | err:画面に接続できません (DISPLAY=:12345) |
tolvaney             | DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=       | 1 | err:画面が見つかりません     |
tolvaney             | --from-menu unexpected                   | 2 | err:unexpected                       |
tolvaney-match       | --a 1:A --b 1:A --help                   | 0 | out:usage: tolvaney-match            |
tolvaney-learn       | games.txt --version                      | 0 | out=tolvaney-learn @VERSION@         |
tolvaney-zero-tables | -h                                       | 0 | out:usage: tolvaney-zero-tables      |
tolvaney-analyze     | -h                                       | 0 | out:usage: tolvaney-analyze          |
tolvaney-match       | --a 1:A --b 1:A --games 2 --record r.txt | 0 | out:2 games, seed 1                  |
tolvaney-match       | --a 1:A --b 1:A --no-such-option         | 2 | err:unknown option --no-such-option  | r.txt
tolvaney-match       | --a 1:A --b 1:A --book missing.txt       | 2 | err:missing.txt                      |
tolvaney-match       | --a 1:A --b 1:A --book empty.txt         | 2 | err:empty.txt holds no line of moves |
tolvaney-match       | --a 1:A --b 1:A --book comments.txt      | 2 | err:comments.txt holds no line       |
tolvaney-match       | --a 1:A --b 1:A --book games.txt         | 2 | err:games.txt, line 1: not a book    |
tolvaney-match       | --a 1:A --b 1:A --book d3.txt            | 2 | err:d3.txt, line 1: not a book line  |
tolvaney-match       | --a 1:A --b 1:A --book ""                | 2 | err:--book needs a value             |
tolvaney-match       | --a 1:A --b 1:A --openings empty.txt     | 2 | err:empty.txt holds no opening       |
tolvaney-match       | --a 1:A --b 1:A --random-openings 2 --avoid blank.txt | 2 | err:blank.txt holds no opening |
tolvaney-match       | --a 1:A --b 1:A --tables-a nowhere       | 2 | err:nowhere/                         |
tolvaney-train       | --games empty.txt                        | 2 | err:empty.txt holds no game          |
tolvaney-train       | --games missing.txt                      | 2 | err:missing.txt                      |
tolvaney-train       | --games games.txt --evaluate empty.txt   | 2 | err:empty.txt holds no game          |
tolvaney-train       | --games games.txt --computer-games empty.txt | 2 | err:empty.txt holds no game      |
tolvaney-train       | --games games.txt --keep-out empty.txt   | 2 | err:empty.txt holds no opening       |
tolvaney-train       | --games games.txt --positions empty.txt  | 2 | err:empty.txt holds no position      |
tolvaney-train       | --games games.txt --baseline nowhere     | 2 | err:nowhere/                         |
tolvaney-train       | --games games.txt --solved solved.bin    | 2 | err:give --exact-empties             |
tolvaney-train       | --games games.txt --exact-empties 6 --solved games.txt | 2 | err:games.txt is not     | games.txt
tolvaney-train       | --games games.txt --exact-empties 6 --solved zeros.bin | 2 | err:zeros.bin is not     | zeros.bin
tolvaney-train       | --games games.txt --exact-empties 6 --solved solved.bin --out out | 0 | out:solving training games |
tolvaney-train       | --games games.txt --exact-empties 6 --solved solved.bin --out out | 0 | out:read from solved.bin   | solved.bin
tolvaney-train       | --games other.txt --exact-empties 6 --solved solved.bin --out out | 0 | out:solving training games |
tolvaney-learn       |                                          | 2 | err:a records file is needed         |
tolvaney-learn       | games.txt other.txt                      | 2 | err:one records file only            |
tolvaney-learn       | empty.txt                                | 2 | err:empty.txt holds no record        |
tolvaney-learn       | missing.txt                              | 2 | err:missing.txt                      |
tolvaney-zero-tables |                                          | 2 | err:a folder is needed               |
tolvaney-zero-tables | out other                                | 2 | err:one folder only                  |
tolvaney-analyze     | --quiet                                  | 2 | err:bad record on standard input     |
tolvaney-analyze     | --tables nowhere f5d6                    | 2 | err:nowhere/                         |
tolvaney-engine      | -h                                       | 0 | out:usage: tolvaney-engine           |
tolvaney-engine      | --gtp                                    | 0 | out=                                 |
tolvaney-engine      | --level 5                                | 2 | err:--level                          |
tolvaney-engine      | --type c                                 | 2 | err:--type needs a thinking type A-D |
tolvaney-engine      | --gtp --nboard                           | 2 | err:give --nboard or --gtp, not both |
tolvaney-engine      | --seed -1                                | 2 | err:--seed                           |
tolvaney-engine      | --player best                            | 2 | err:--player needs game or advice    |
tolvaney-analyze     | --level 2 --exact 4 --quiet f5d6 --html  | 2 | err:--html needs a value             |
tolvaney-analyze     | --lang fr f5d6                           | 2 | err:--lang needs en (English) or ja (Japanese), not 'fr' |
tolvaney-analyze     | LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 --quiet --level 2 f5d6 | 0 | out:読み切った手はありません |
tolvaney-analyze     | LC_ALL=C LANG=ja_JP.UTF-8 --quiet --level 2 f5d6 | 0 | out:no move was solved exactly |
EOF
}

# The inputs of the rows.
run=$work/run
rm -rf "$work" && mkdir -p "$run" || exit 1
(
    cd "$run" || exit 1
    : >empty.txt
    printf '\r\n\r\n' >blank.txt
    printf '// an opening book with no line of moves\r\n' >comments.txt
    printf 'd3c3\r\n' >d3.txt
    head -n 5 "$data/games-sample.txt" >games.txt
    sed -n 6,9p "$data/games-sample.txt" >other.txt
    head -c 36 /dev/zero >zeros.bin # two records' size, but no position has no disc
)

trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }
# A field of a row with the program's name and the version filled in.
fill() { trim "$1" | sed "s|@NAME@|$name|g; s|@VERSION@|$version|g"; }
# The files of the work folder with their contents, and its folders.
snapshot() { (cd "$run" && find . -type f -exec md5sum {} + | sort && find . -type d | sort); }
kept_state() { (cd "$run" && for file in "$@"; do md5sum "$file" 2>&1; done); }

passed=0 failed=0
fail() {
    printf 'FAILED: %s %s: %s\n  output: %s\n  error: %s\n' "$name" "$line" "$*" \
        "$(head -c 600 "$work/out")" "$(head -c 600 "$work/err")"
    failure=1
}

# check PROGRAM_PATH ARGUMENTS STATUS EXPECTED KEPT
check() {
    local path=$1 arguments=$2 status=$3 expected=$4 kept=$5
    local stream=${expected:0:3} relation=${expected:3:1} text=${expected:4} argv=() code
    local folderBefore keptBefore
    local environment=()
    eval "argv=($arguments)"
    while [[ ${#argv[@]} -gt 0 && ${argv[0]} =~ ^[A-Z_]+= ]]; do
        environment+=("${argv[0]}")
        argv=("${argv[@]:1}")
    done
    read -r -a kept <<<"$kept"
    folderBefore=$(snapshot) keptBefore=$(kept_state "${kept[@]}")
    (cd "$run" && env "${environment[@]}" "$path" "${argv[@]}" </dev/null >"$work/out" 2>"$work/err")
    code=$?
    failure=0
    [[ $code -eq $status ]] || fail "exit status $code, not $status"
    if [[ $relation == "=" ]]; then
        [[ $(cat "$work/$stream") == "$text" ]] || fail "standard $stream is not '$text'"
    else
        grep -qF -- "$text" "$work/$stream" || fail "no '$text' on standard $stream"
    fi
    [[ $(kept_state "${kept[@]}") == "$keptBefore" ]] || fail "changed: ${kept[*]}"
    if [[ $status -ne 0 ]]; then
        [[ ! -s $work/out ]] || fail "something on standard output"
        [[ $status -ne 2 || $(wc -l <"$work/err") -eq 1 ]] || fail "not one line on standard error"
        [[ $(snapshot) == "$folderBefore" ]] || fail "the work folder changed"
    fi
    if ((failure == 0)); then ((++passed)); else ((++failed)); fi
}

while IFS='|' read -r program arguments status expected kept; do
    program=$(trim "$program")
    for path in "${programs[@]}"; do
        name=$(basename "$path")
        [[ $program == "*" || $program == "$name" ]] || continue
        line="$(fill "$arguments")"
        check "$path" "$line" "$(trim "$status")" "$(fill "$expected")" "$(trim "$kept")"
    done
done < <(rows)

echo "$passed passed, $failed failed"
((failed == 0))
