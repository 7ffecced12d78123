#!/usr/bin/env bash
# Runs every fuzzing harness for a bounded time with libFuzzer (clang, with AddressSanitizer
# and UndefinedBehaviorSanitizer), starting from its seed corpus in tests/fuzz/corpus, and
# fails on the first fault found; the input that found it is kept in fuzz-findings/.
# Usage: scripts/fuzz.sh [SECONDS_EACH]   (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLVANEY_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for corpus in tests/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    # New inputs go to a scratch folder; the corpus in the tree stays as it is.
    mkdir -p "$scratch/$name"
    if ! "build-fuzz/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$scratch/$name-" "$scratch/$name" "$corpus" \
        >"$scratch/$name.log" 2>&1; then
        tail -40 "$scratch/$name.log"
        mkdir -p fuzz-findings
        cp "$scratch/$name-"* fuzz-findings/ 2>/dev/null || true
        echo "fuzz_$name found a fault; its input is in fuzz-findings/" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/$name.log")
    echo "fuzz_$name: ${runs:-?} inputs in $seconds s, no fault"
done
