#!/usr/bin/env bash
# Synthesizes the game's sounds with sox and writes them into resources/sounds/:
#
#   placed.wav  a disc put down: a short wooden knock
#   pass.wav    a side passes: two soft falling tones
#   won.wav     the player won: a rising major arpeggio
#   lost.wav    the player lost: a falling minor arpeggio
#   drawn.wav   a drawn game: the same tone twice
#
# Mono, 16 bits, 22050 samples a second; the same bytes on every run (-R: sox's noise from a
# fixed seed). Only needed to make them anew: the sounds are kept in the repository and
# embedded in the program.
# sox comes with: scripts/install-deps.sh sounds
set -euo pipefail

out="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/resources/sounds"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

format=(-r 22050 -c 1 -b 16 -e signed-integer)

# tone FILE SECONDS NOTE: a soft sine tone of a note ("C5", "E4", or a frequency), faded in
# and out so that it starts and ends without a click.
tone() {
    sox -D -R -n "${format[@]}" "$work/$1" synth "$2" sine "$3" sine "$3" \
        remix 1 fade q 0.01 "$2" 0.06 vol 0.35
}

# tones OUT SECONDS NOTE...: the notes one after the other.
tones() {
    local file=$1 seconds=$2
    shift 2
    local parts=() i=0
    for note in "$@"; do
        tone "part$i.wav" "$seconds" "$note"
        parts+=("$work/part$i.wav")
        i=$((i + 1))
    done
    sox -D -R "${parts[@]}" "${format[@]}" "$out/$file"
}

# The knock: a plucked low string cut short, with a touch of noise for the wood.
sox -D -R -n "${format[@]}" "$work/pluck.wav" synth 0.09 pluck A2 fade q 0 0.09 0.07 vol 0.8
sox -D -R -n "${format[@]}" "$work/noise.wav" synth 0.03 brownnoise fade q 0 0.03 0.03 vol 0.3
sox -D -R -m "$work/pluck.wav" "$work/noise.wav" "${format[@]}" "$out/placed.wav"

tones pass.wav 0.14 E5 B4
tones won.wav 0.12 C5 E5 G5 C6
tones lost.wav 0.16 G4 Eb4 C4
tones drawn.wav 0.16 E5 E5
