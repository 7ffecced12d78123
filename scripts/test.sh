#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first the normal build, then the
# engine, the windows and their tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short bounded fuzzing run of every parser.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh accessibility screenreader referee

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# --- The Debian packages, made from build/: file lists, validators, and the installed game
# started once; the packages are removed again afterwards.
scripts/test-package.sh build
# ---

# The window tests run offscreen here too, each window built, played and closed as at a quit.
# The screen reader's checks drive a separate desktop session and stay with the normal build.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANEY_SANITIZE=ON \
    -DTOLVANEY_BUILD_BENCH=OFF -DTOLVANEY_BUILD_TOOLS=OFF -DTOLVANEY_BUILD_UI=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -E 'source_format|screen_reader'

scripts/fuzz.sh 15
