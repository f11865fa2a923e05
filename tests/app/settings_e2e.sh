#!/usr/bin/env bash
# The settings file on the real game under Xvfb: its window size and key binding in force, the
# command line over it, a misspelt name refused, and no file the original keys.
# Usage: settings_e2e.sh GAME_BINARY ZEMA_SIM (GAME_BINARY's folder holds the six WAV files)
set -uo pipefail
game="$(readlink -f "$1")"
sim="$(readlink -f "$2")"
# shellcheck source=tests/app/x_session.sh
source "$(dirname "$0")/x_session.sh"
export XDG_CONFIG_HOME="$work/config"
conf="$XDG_CONFIG_HOME/zema/zema.conf"
mkdir -p "$(dirname "$conf")"

startGame() {
    (cd "$(dirname "$game")" && exec timeout -k 5 120 "$game" "$@") >"$work/out" 2>"$work/err" &
    gamePid=$!
    waitForGameWindow --onlyvisible || fail "no ZEMA window appeared"
}
windowSize() { # waits up to 5 s for the size given, then says the size there is
    for _ in $(seq 50); do
        size="$(xdotool getwindowgeometry --shell "$window" | awk -F= '/WIDTH/{w=$2}/HEIGHT/{h=$2}END{print w "x" h}')"
        [ "$size" = "$1" ] && break
        sleep 0.1
    done
    echo "$size"
}
# Records a game that starts and holds D for a second; the demo is $work/d.demo.
playHoldingD() {
    startGame --record "$work/d.demo" "$@"
    shown="$(windowSize 800x600)"
    focusGameWindow
    xdotool key Return keydown d sleep 1 keyup d key Escape
    waitGame
    "$sim" <"$work/d.demo" >/dev/null || fail "zema-sim does not replay the demo to its end"
}

printf '# a window and WASD-style steering\nwindow = 800x600\nkey.right = D\n' >"$conf"
playHoldingD
[ "$shown" = 800x600 ] && grep -qx 'mode 800x600' "$work/d.demo" && grep -qx 'frame r' "$work/d.demo" \
    && pass "window = 800x600 and key.right = D: an 800x600 window, D held steers right" \
    || fail "the file's window or key not in force: $(grep -v '^frame$' "$work/d.demo" | head -c 300)"

startGame --window=640x480
[ "$(windowSize 640x480)" = 640x480 ] && pass "--window=640x480 wins over the file" \
    || fail "--window=640x480 under the file gives $size"
wmctrl -c ZEMA
waitGame

printf 'key.right = D\n\nwindw = 800x600\n' >"$conf"
(cd "$(dirname "$game")" && timeout 20 "$game") >"$work/out" 2>"$work/err"
status=$?
[ "$status" = 2 ] && [ "$(cat "$work/err")" = "zema: $conf:3: unknown setting 'windw'" ] \
    && pass "a misspelt name: status 2, $(cat "$work/err")" \
    || fail "a misspelt name: status $status, $(cat "$work/err")"

rm "$conf"
playHoldingD --window
grep -q '^frame' "$work/d.demo" && ! grep -q '^frame .*r' "$work/d.demo" \
    && pass "no file: D does nothing" || fail "no file: D steered or nothing was recorded"

[ "$failures" = 0 ] && echo "all settings checks passed" || exit 1
