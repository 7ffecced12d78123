#!/usr/bin/env bash
# The game on a virtual screen with Orca, the screen reader, listening, in a fresh home and
# working folder: screen_reader_check.py plays it by keys and waits after each key for what
# Orca says, which Orca's debug log shows (written through a terminal, so line by line).
# Usage: check-screen-reader.sh PROGRAM [ORCA_LOG_COPY]  (Orca's whole log is kept there)
set -uo pipefail
for tool in xvfb-run xauth dbus-run-session dbus-send xdotool /usr/libexec/at-spi-bus-launcher \
    openbox orca script pgrep
do
    command -v "$tool" >/dev/null ||
        { echo "no $tool (install-deps.sh accessibility screenreader)"; exit 1; }
done
# Orca will not start while another orca of the same user runs anywhere on the machine.
if others=$(pgrep -u "$(id -u)" -x orca); then
    echo "an orca of this user is running already (PID" $others"), so Orca would not start"
    exit 1
fi
tests=$(dirname "$(realpath "$0")")
export PROGRAM=$(realpath "$1") CHECK=$tests/screen_reader_check.py
source "$tests/virtual-desktop.sh"
export ORCA_LOG=$scratch/orca.log ORCA_PID=$scratch/orca.pid
session=$start_bus'
openbox >openbox.log 2>&1 & manager=$!
LC_ALL=C.UTF-8 script -qfec "exec orca --debug-file=/dev/stdout" "$ORCA_LOG" \
    </dev/null >/dev/null 2>&1 & terminal=$!
ready() { grep -q "ORCA: Starting registry" "$ORCA_LOG" 2>/dev/null; }
# Until Orca says it is ready, or its terminal ends.
timeout 120 tail --pid=$terminal -F -n +1 "$ORCA_LOG" 2>/dev/null |
    grep -q -m1 "ORCA: Starting registry"
pgrep -P $terminal -x orca >"$ORCA_PID"
if ready; then
    "$PROGRAM" >game.log 2>&1 & game=$!
    timeout -k 2 270 /usr/bin/python3 "$CHECK" "$game" "$ORCA_LOG"; status=$?
else
    echo "Orca did not start:"; tail -n 20 "$ORCA_LOG"; status=1
fi
# Orca, waiting idle for events, would see a TERM only with the next one: it is killed, and
# the session ends once it is gone.
orca=$(cat "$ORCA_PID") && kill -9 $orca 2>/dev/null && timeout 60 tail --pid=$orca -f /dev/null
kill $game $manager $launcher 2>/dev/null; wait; exit $status'
timeout -k 5 300 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c "$session" \
    >"$scratch/log" 2>&1
status=$?
[[ -n ${2:-} ]] && cp "$ORCA_LOG" "$2"
# Orca must not outlive the check, or the next one could not start its own.
if orca=$(cat "$ORCA_PID" 2>/dev/null) && [[ $(ps -o comm= -p "$orca" 2>/dev/null) == orca ]]; then
    kill -9 "$orca" && timeout 60 tail --pid="$orca" -f /dev/null
    echo "Orca (PID $orca) had to be killed"
    status=1
fi
show_session_log
[[ $status -eq 0 ]] && exit 0
printf '\nscreen reader check failed (status %s; 124: out of time). The game said:\n' $status
cat game.log 2>/dev/null
exit 1
