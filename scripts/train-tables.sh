#!/usr/bin/env bash
# Regenerates the shipped pattern tables resources/TEXTDATA1..6 from the real games in
# ../shared/data, every step with fixed seeds and settings, so that the same data always gives
# the same files, byte for byte (about an hour and three quarters on two cores):
#  1. the plain fit to the final results of the games of 1977-2019 (a tenth held out);
#  2. the backward fit to the same games: exact values from 14 empty squares on, each earlier
#     stage aiming at the later stage's values 4 moves ahead, positions seen with the side to
#     move of the top level's leaves;
#  3. 60,000 games of the engine at the top level, the backward fit against the plain fit,
#     from openings of eight random moves that neither begin nor are begun by an XOT opening;
#  4. the backward fit again, with the first 20,000 of those games given four times;
#  5. 40,000 more games from random openings and a pair from each ten-move opening of the
#     players' and the opening book's games (none beginning with an XOT opening), played by
#     the tables of step 4 against the plain fit;
#  6. the bounded backward fit with all of those games, leaving out every game that passes
#     through the position of an XOT opening (the matches that measure the tables start
#     there);
#  7. a pair of games from every third twelve-move opening of the players' and the book's
#     games, played by the tables of step 6 against the plain fit;
#  8. the bounded backward fit with every game of the engine, 16 passes.
# The tournament games of 2020-2025 are only measured, never fitted. Set TRAIN_TABLES_WORK to
# a folder to keep the engine's games and the tables of each step there.
# Usage: scripts/train-tables.sh [DATA_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
data=${1:-../shared/data}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tolvaney-train tolvaney-match
if [[ -n "${TRAIN_TABLES_WORK:-}" ]]; then
    work=$TRAIN_TABLES_WORK
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
evaluate=()
[[ -f "$data/heldout/games-2020-2025.txt" ]] && evaluate=(--evaluate "$data/heldout/games-2020-2025.txt")
xot=("$data/openings-xot-small.txt" "$data/openings-xot-large.txt")
players=(--games "$data/games-1977-2019.txt")
backward=(--seed 1 --exact-empties 14 --lookahead 4 --as-at-leaves 1 --threads "$(nproc)")
keep_out=(--keep-out "${xot[0]}" --keep-out "${xot[1]}")

# Games of the engine at the top level: the given tables against the plain fit.
play() {
    local tables=$1 record=$2
    shift 2
    build/tools/tolvaney-match --a 4:C --b 4:C --tables-a "$tables" --tables-b "$work/plain" \
        --jobs "$(nproc)" --record "$record" "$@" | tail -n 1
}
# Openings of eight random moves, kept away from the XOT openings and from the openings of the
# given games files: sets the array random.
random_openings() {
    random=(--random-openings 8)
    for file in "${xot[@]}" "$@"; do random+=(--avoid "$file"); done
}
# The distinct beginnings of PLIES moves of the players' and the book's games, without those
# that begin with an XOT opening, in sorted order.
real_openings() {
    local plies=$1
    cat "$data/games-1977-2019.txt" "$data/games-logistello-book.txt" | cut -c1-$((2 * plies)) |
        grep -E "^.{$((2 * plies))}\$" | LC_ALL=C sort -u |
        grep -v -f <(sed 's/^/^/' "${xot[@]}")
}
# Adds the given games files of the engine to the trainer's arguments in the array computer,
# each given TIMES times.
computer=()
add_computer_games() {
    local times=$1
    shift
    for file in "$@"; do
        for ((i = 0; i < times; ++i)); do computer+=(--computer-games "$file"); done
    done
}

build/tools/tolvaney-train "${players[@]}" --seed 1 --out "$work/plain"
build/tools/tolvaney-train "${players[@]}" "${backward[@]}" --out "$work/backward"

random_openings
play "$work/backward" "$work/own1.txt" --games 20000 --seed 3 "${random[@]}"
random_openings "$work/own1.txt"
play "$work/backward" "$work/own2.txt" --games 40000 --seed 4 "${random[@]}"
add_computer_games 4 "$work/own1.txt"
build/tools/tolvaney-train "${players[@]}" "${computer[@]}" "${backward[@]}" --out "$work/own"

random_openings "$work/own1.txt" "$work/own2.txt"
play "$work/own" "$work/own3.txt" --games 40000 --seed 5 "${random[@]}"
real_openings 10 >"$work/real-openings.txt"
play "$work/own" "$work/real.txt" --games $((2 * $(wc -l <"$work/real-openings.txt"))) \
    --openings "$work/real-openings.txt" --seed 6
add_computer_games 2 "$work/own2.txt" "$work/own3.txt" "$work/real.txt"
build/tools/tolvaney-train "${players[@]}" "${computer[@]}" "${keep_out[@]}" "${backward[@]}" \
    --bounded-fit 1 --out "$work/bounded"

real_openings 12 | awk 'NR % 3 == 1' >"$work/real12-openings.txt"
play "$work/bounded" "$work/real12.txt" --games $((2 * $(wc -l <"$work/real12-openings.txt"))) \
    --openings "$work/real12-openings.txt" --seed 9
add_computer_games 2 "$work/real12.txt"
build/tools/tolvaney-train "${players[@]}" "${computer[@]}" "${keep_out[@]}" "${evaluate[@]}" \
    "${backward[@]}" --bounded-fit 1 --epochs 16 --rate 0.004 --baseline "$work/plain" \
    --out resources
