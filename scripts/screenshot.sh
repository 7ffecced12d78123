#!/usr/bin/env bash
# Shows the real window without a monitor: builds the game, runs it under Xvfb, plays a
# few moves by clicking squares, and saves screenshots.
# Usage: scripts/screenshot.sh [OUTPUT_FOLDER [GAME]]   (default: screenshots/, the game built
#        in build/; GAME may name another binary, such as the installed /usr/games/tolvaney)
# With QT_SCALE_FACTOR=2 (a whole number) the window is drawn at twice the density, as on a
# high-density screen, and so are the screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh screenshot
scale=${QT_SCALE_FACTOR:-1}
if [[ ! $scale =~ ^[1-4]$ ]]; then
    echo "QT_SCALE_FACTOR must be a whole number from 1 to 4 for the screenshots" >&2
    exit 1
fi

out=$(realpath -m "${1:-screenshots}")
mkdir -p "$out"
workdir=$(mktemp -d)  # the game writes its results file where it runs
trap 'rm -rf "$workdir"' EXIT
if [[ -n "${2:-}" ]]; then
    game=$(realpath "$2")
else
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$(nproc)" --target tolvaney
    game=$(realpath build/ui/tolvaney)
fi

# The centre of the square image of a square name such as f5 (column a is on the left), in
# the client area's pixels; the menu bar's height is added once the window is up.
square_centre() {
    local column=$(( $(printf '%d' "'${1:0:1}") - 96 )) row=${1:1:1}
    echo "$(( (330 - 40 * (9 - column) + 20) * scale )) $(( (40 * row - 31 + 20) * scale ))"
}

xvfb-run -a -s "-screen 0 $((1024 * scale))x$((768 * scale))x24" bash -c '
    set -euo pipefail
    game=$1 out=$2 scale=$4
    cd "$3"
    shift 4
    "$game" & pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name Tolvaney | head -1)
    sleep 1
    import -window "$wid" "$out/01-start.png"
    # The client area sits below the menu bar: find the dark top edge of the board picture (client
    # row 7) in a column right of the menus, and the height of the menu bar from it.
    edge=$(convert "$out/01-start.png" -crop "1x$((150 * scale))+$((300 * scale))+0" -depth 8 \
        txt:- | awk -F"[,:() ]+" "/srgb/ && \$4 < 40 && \$5 < 60 && !y { y = \$2 } END { print y }")
    menu_bar=$((edge - 7 * scale))
    echo "caption at start: $(xdotool getwindowname "$wid")"
    n=2
    for click in "$@"; do
        read -r x y <<<"$click"
        xdotool mousemove --window "$wid" "$x" "$((y + menu_bar))" click 1
        sleep 2
        import -window "$wid" "$out/0$n-move.png"
        echo "caption after a move: $(xdotool getwindowname "$wid")"
        n=$((n + 1))
    done
' _ "$game" "$out" "$workdir" "$scale" "$(square_centre f5)" "$(square_centre e6)"
echo "screenshots in $out"
