#!/usr/bin/env bash
# The game on a virtual screen with its own session and accessibility buses, in a fresh home
# and working folder, read and played by accessibility_check.py as a screen reader would.
# Usage: check-accessibility.sh PROGRAM
set -uo pipefail
for tool in xvfb-run xauth dbus-run-session dbus-send xdotool import /usr/libexec/at-spi-bus-launcher
do
    command -v "$tool" >/dev/null || { echo "no $tool (install-deps.sh accessibility)"; exit 1; }
done
tests=$(dirname "$(realpath "$0")")
export PROGRAM=$(realpath "$1") CHECK=$tests/accessibility_check.py
source "$tests/virtual-desktop.sh"
session=$start_bus'
"$PROGRAM" >game.log 2>&1 & game=$!
timeout -k 2 40 /usr/bin/python3 "$CHECK" "$game"; status=$?
kill "$game" "$launcher"; wait; exit $status'
timeout -k 5 55 xvfb-run -a -s "-screen 0 1600x1200x24" dbus-run-session -- bash -c "$session" \
    >"$scratch/log" 2>&1
status=$?
show_session_log
[[ $status -eq 0 ]] && exit 0
printf '\nscreen reader check failed (status %s; 124: out of time). The game said:\n' $status
cat game.log
exit 1
