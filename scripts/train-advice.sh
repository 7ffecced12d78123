#!/usr/bin/env bash
# Regenerates resources/ADVICE.dat, the evaluation of the analysis and the hints, from the
# tournament games of 1977-2019 in ../shared/data, with fixed settings and seed, so that the
# same data always gives the same file, byte for byte (about half an hour on two cores).
# Every 20th game (from the first) is left out of the fit: bench/bench_advice_accuracy
# measures the estimates on those. The held-out games of 2020-2025 are never read.
# Usage: scripts/train-advice.sh [DATA_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
data=${1:-../shared/data}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tolvaney-train-advice
build/tools/tolvaney-train-advice --games "$data/games-1977-2019.txt" --hold-out 20 \
    --exact-empties 14 --depth 4 --per-stage 150000 --epochs 10 --seed 1 \
    --threads "$(nproc)" --out resources/ADVICE.dat
