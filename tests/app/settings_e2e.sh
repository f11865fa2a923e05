#!/usr/bin/env bash
# The settings file on the real game under Xvfb: its window and key in force, the command line
# over it, a misspelt name refused, no file the original keys. Usage: settings_e2e.sh ZEMA ZEMA_SIM
set -uo pipefail
game="$(readlink -f "$1")" sim="$(readlink -f "$2")"
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
game="$(emulated "$game")" sim="$(emulated "$sim")"
export XDG_CONFIG_HOME="$work/config" conf="$work/config/zema/zema.conf"
mkdir -p "$work/config/zema"

# Starts the game and waits for its window to be $1; $size is what it is.
startGame() {
    newFrameReport
    (cd "$(dirname "$game")" && exec timeout -k 5 120 "$game" "${@:2}") >"$work/out" 2>"$work/err" &
    gamePid=$!
    waitForGameWindow --onlyvisible || fail "no ZEMA window appeared"
    waitSize "$1"
    size="$(windowSize)"
}
# Records a game that starts and holds D for ten frames into $work/d.demo, replayed by zema-sim.
playHoldingD() {
    startGame 800x600 --record "$work/d.demo" "$@"
    focusGameWindow
    xdotool key Return
    holdKey d 10
    xdotool key Escape
    waitGame
    "$sim" <"$work/d.demo" >/dev/null || fail "zema-sim does not replay the demo to its end"
}

printf '# a window and WASD-style steering\nwindow = 800x600\nkey.right = D\n' >"$conf"
playHoldingD
[ "$size" = 800x600 ] && grep -qx 'frame r' "$work/d.demo" \
    && pass "window = 800x600 and key.right = D: an 800x600 window, D held steers right" \
    || fail "the file's window or key not in force: $size, $(grep -v '^frame$' "$work/d.demo" | head -c 300)"

startGame 640x480 --window=640x480 && wmctrl -c ZEMA && waitGame
[ "$size" = 640x480 ] && pass "--window=640x480 wins over the file" || fail "--window=640x480 gives $size"

printf 'key.right = D\n\nwindw = 800x600\n' >"$conf"
(cd "$(dirname "$game")" && timeout 20 "$game") >"$work/out" 2>"$work/err"; status=$?
[ "$status" = 2 ] && [ "$(cat "$work/err")" = "zema: $conf:3: unknown setting 'windw'" ] \
    && pass "a misspelt name: status 2, $(cat "$work/err")" || fail "a misspelt name: status $status, $(cat "$work/err")"

rm "$conf"
playHoldingD --window=800x600
grep -q '^frame' "$work/d.demo" && ! grep -q '^frame .*r' "$work/d.demo" \
    && pass "no file: D does nothing" || fail "no file: D steered or nothing was recorded"
[ "$failures" = 0 ] && echo "all settings checks passed" || exit 1
