#!/usr/bin/env bash
# Shows the real window without a monitor: builds the game, runs it under Xvfb, plays a
# few moves by clicking squares, and saves screenshots.
# Usage: scripts/screenshot.sh [OUTPUT_FOLDER]   (default: screenshots/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh screenshot
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tolvaney

out=$(realpath -m "${1:-screenshots}")
mkdir -p "$out"
workdir=$(mktemp -d)  # the game writes its results file where it runs
game=$(realpath build/ui/tolvaney)

# The centre of the square image of a square name such as f5 (column a is on the left).
square_centre() {
    local column=$(( $(printf '%d' "'${1:0:1}") - 96 )) row=${1:1:1}
    echo "$(( 330 - 40 * (9 - column) + 20 )) $(( 40 * row - 31 + 20 ))"
}

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    set -euo pipefail
    game=$1 out=$2
    cd "$3"
    shift 3
    "$game" & pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name Tolvaney | head -1)
    sleep 1
    import -window "$wid" "$out/01-start.png"
    echo "caption at start: $(xdotool getwindowname "$wid")"
    n=2
    for click in "$@"; do
        xdotool mousemove --window "$wid" $click click 1
        sleep 2
        import -window "$wid" "$out/0$n-move.png"
        echo "caption after a move: $(xdotool getwindowname "$wid")"
        n=$((n + 1))
    done
' _ "$game" "$out" "$workdir" "$(square_centre f5)" "$(square_centre e6)"
echo "screenshots in $out"
