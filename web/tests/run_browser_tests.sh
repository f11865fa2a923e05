#!/usr/bin/env bash
# Runs the browser tests (or, with --bench, the measurements) on a built page, bounded in time,
# and leaves no browser or server behind even when the run is killed.
# Usage: run_browser_tests.sh WWW-FOLDER ZEMA-SIM
#            [--bench [--against OTHER-WWW] [--native COMPOSITOR-BENCH]] [--shots FOLDER]
#        run_browser_tests.sh WWW-FOLDER ZEMA-SIM --bench --cold [--against OTHER-WWW] [--pairs N]
#        run_browser_tests.sh WWW-FOLDER ZEMA-SIM --bench --smooth-cost [--pairs N] [--frames N]
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
pids="$(mktemp)"
# The bound: five minutes, or for the cost of ?smooth a minute and a half for each of its runs
# of 600 frames played at the game's pace, and two more for the browser's floor.
limit=300
if [[ " $* " == *" --smooth-cost "* ]]; then
    pairs="$(printf '%s\n' "$@" | sed -n '/^--pairs$/{n;p;}')"
    frames="$(printf '%s\n' "$@" | sed -n '/^--frames$/{n;p;}')"
    limit=$((180 + ${pairs:-1} * ${frames:-600} * 2 * 90 / 600))
fi
# Debian's Python, which has python3-websockets.
ZEMA_WEB_PID_FILE="$pids" timeout -k 10 "$limit" /usr/bin/python3 "$here/browser_test.py" "$@"
status=$?
# Chromium and the server run in process groups of their own, noted as they start.
while read -r pid; do
    kill -KILL -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 -- "-$pid" 2>/dev/null || break
        sleep 0.1
    done
done <"$pids"
rm -f "$pids"
if [ "$status" -eq 0 ]; then
    echo "== browser tests: passed"
else
    echo "== browser tests: FAILED (status $status)"
fi
exit "$status"
