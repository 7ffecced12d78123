#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in the folder this script is called
# from, which is where the game keeps its results file 成績.dat.
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    cat >&2 <<TEXT
No display found: neither DISPLAY nor WAYLAND_DISPLAY is set, so the game's window has
nowhere to appear. Start it from a desktop session, or without a display:

  $project/scripts/screenshot.sh [FOLDER]
      plays two moves in a virtual display (Xvfb) and saves screenshots to look at;
  xvfb-run -a $project/scripts/play.sh
      runs the game in a virtual display, which nobody sees
      (xvfb-run comes with: $project/scripts/install-deps.sh screenshot).
TEXT
    exit 1
fi

"$project/scripts/install-deps.sh"
# Configure only a new build folder: afterwards the build itself notices changed build files.
if [[ ! -f "$project/build/CMakeCache.txt" ]]; then
    cmake -S "$project" -B "$project/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$project/build" -j "$(nproc)" --target tolvaney | { grep -vx 'ninja: no work to do.' || true; }
exec "$project/build/ui/tolvaney" "$@"
