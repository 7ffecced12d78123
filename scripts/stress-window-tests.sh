#!/usr/bin/env bash
# Runs every window test (the offscreen ones and the screen-reader checks) a number of times
# in a row while every core is kept busy by other processes, as on a loaded CI machine, and
# says how often each one failed. A test that waits for a fixed time instead of an event
# shows up here long before it fails in CI.
# Usage: scripts/stress-window-tests.sh [RUNS] [BUILD]   (default: 20 runs of build/)
# The output of every run with a failure is kept in BUILD/stress-run-N.log.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
build=${2:-build}
pattern='^(ui_|screen_reader_|BoardLooksTest|EventPassTest|KeyboardTest|LearningTest|MainWindowTest|Pictures|PlayerWindowTest|ScaleSettingTest|ScreenFitTest|SettingsTest|StatusLineTest)'

busy=()
for ((core = 0; core < $(nproc); ++core)); do
    (while :; do :; done) &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null' EXIT

declare -A failures=()
for ((run = 1; run <= runs; ++run)); do
    log=$(ctest --test-dir "$build" -R "$pattern" --output-on-failure 2>&1)
    while IFS= read -r name; do
        failures[$name]=$((${failures[$name]:-0} + 1))
    done < <(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*$/\1/p' <<<"$log")
    tests=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' <<<"$log")
    grep -q '^[[:space:]]*[0-9]* - [^ ]* (' <<<"$log" && printf '%s\n' "$log" >"$build/stress-run-$run.log"
    echo "run $run of $runs: ${tests:-?} window tests, failed: $(sed -n 's/^[[:space:]]*[0-9]* - //p' <<<"$log" | tr '\n' ' ')"
done
if ((${#failures[@]} == 0)); then
    echo "no window test failed in $runs runs with every core busy"
    exit 0
fi
for name in "${!failures[@]}"; do
    echo "$name failed ${failures[$name]} of $runs runs"
done
exit 1
