#!/usr/bin/env bash
# The game on a virtual screen with its own session and accessibility buses, in a fresh home
# and working folder, read and played by accessibility_check.py as a screen reader would.
# Usage: check-accessibility.sh PROGRAM
set -uo pipefail
for tool in xvfb-run xauth dbus-run-session dbus-send xdotool /usr/libexec/at-spi-bus-launcher
do
    command -v "$tool" >/dev/null || { echo "no $tool (install-deps.sh accessibility)"; exit 1; }
done
export PROGRAM=$(realpath "$1") CHECK=$(dirname "$(realpath "$0")")/accessibility_check.py
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch"/{home,config,data,runtime,play} && cd "$scratch/play" || exit 1
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export XDG_RUNTIME_DIR=$scratch/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
session='/usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
for _ in $(seq 50); do timeout 2 dbus-send --session --dest=org.a11y.Bus --print-reply \
    /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break; sleep 0.1; done
"$PROGRAM" >game.log 2>&1 & game=$!
timeout -k 2 40 /usr/bin/python3 "$CHECK" "$game"; status=$?
kill "$game" "$launcher"; wait; exit $status'
timeout -k 5 55 xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash -c "$session" \
    >"$scratch/log" 2>&1
status=$?
sed -e 's/SpiRegistry daemon is running with well-known name - org.a11y.atspi.Registry//' \
    -e '/fd limit\|Activating service\|Successfully activated/d' "$scratch/log"
[[ $status -eq 0 ]] && exit 0
printf '\nscreen reader check failed (status %s; 124: out of time). The game said:\n' $status
cat game.log
exit 1
