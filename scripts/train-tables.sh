#!/usr/bin/env bash
# Regenerates the shipped pattern tables resources/TEXTDATA1..6 from the real games in
# ../shared/data (every game of 1977-2019, a tenth of them held out), with the trainer's
# fixed seed and settings; the same data always gives the same files, byte for byte.
# The tournament games of 2020-2025 are only measured, never fitted.
# Usage: scripts/train-tables.sh [DATA_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
data=${1:-../shared/data}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tolvaney-train
evaluate=()
[[ -f "$data/heldout/games-2020-2025.txt" ]] && evaluate=(--evaluate "$data/heldout/games-2020-2025.txt")
build/tools/tolvaney-train --games "$data/games-1977-2019.txt" "${evaluate[@]}" --seed 1 --out resources
