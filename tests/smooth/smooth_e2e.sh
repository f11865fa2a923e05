#!/usr/bin/env bash
# --smooth end to end, the real game under Xvfb and openbox: the title as zema-sim draws it, more
# pictures than frames while a demo plays (and no more than one a frame without it), and a game
# recorded with it replaying in zema-sim.
# Usage: smooth_e2e.sh GAME_BINARY ZEMA_SIM WINDOW_PICTURES CLEAR_GAME_SCRIPT
# GAME_BINARY's folder must hold the six WAV files.
set -uo pipefail
game="$(readlink -f "$1")" sim="$(readlink -f "$2")" pictures="$(readlink -f "$3")"
clearScript="$(readlink -f "$4")"
source "$(dirname "$0")/../app/x_session.sh"
game="$(emulated "$game")" sim="$(emulated "$sim")" pictures="$(emulated "$pictures")"

startGame() {
    (cd "$(dirname "$game")" && exec timeout -k 5 120 "$game" --window=800x600 "$@") \
        >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
    waitForGameWindow --onlyvisible || { fail "no ZEMA window appeared ($*)"; return 1; }
}

# --- the title, pixel for pixel ------------------------------------------------------------------
printf 'frame\n' | "$sim" --mode 800x600 --shot 1 "$work/title.png" >/dev/null ||
    fail "zema-sim wrote no title picture"
if startGame --smooth; then
    d=unknown
    # Until the window shows it.
    waitUntil 'import -window "$window" "$work/shown.png" 2>/dev/null &&
        d="$(compare -metric AE "$work/shown.png" "$work/title.png" null: 2>&1 | cut -d" " -f1)" &&
        [ "$d" = 0 ]' windowShown 100
    [ "$d" = 0 ] && pass "--smooth: the title exactly as zema-sim --mode 800x600 --shot 1" ||
        fail "--smooth: the title differs from zema-sim's in $d pixels"
    xdotool key --window "$window" Escape 2>/dev/null || kill "$gamePid"
    waitGame
fi

# --- pictures while the clearing demo plays ---------------------------------------------------
# Its first 40 frames, with the record zema-sim ends them on: a game that exits with status 0 has
# run exactly those 40 frames.
frames=40
awk -v n=$frames '/^frames /{ if (got + $2 > n) exit; got += $2 } { print } got == n { exit }' \
    "$clearScript" >"$work/clear.demo"
printf 'expect %s\n' "$("$sim" <"$work/clear.demo" | tail -n 1)" >>"$work/clear.demo"
grep -q '^expect {"frame":40,' "$work/clear.demo" || fail "the demo does not end at frame $frames"

countPictures() { # what, option...
    local what="$1"
    shift
    startGame --playdemo "$work/clear.demo" "$@" || return 1
    shown="$("$pictures" "$window" "$gamePid")"
    waitGame
    [ "$status" = 0 ] || fail "$what: the demo ended with status $status: $(cat "$work/game.err")"
    echo "$what: $shown (window grabs, pictures among them) in $frames frames"
    shown="${shown##* }"
}
if countPictures "--smooth" --smooth; then
    [ "$shown" -ge $((frames * 3 / 2)) ] &&
        pass "--smooth: $shown pictures in the demo's $frames frames, at least 1.5 a frame" ||
        fail "--smooth: only $shown pictures in $frames frames"
fi
# The title frame shows its clear before its picture: one more.
if countPictures "without --smooth"; then
    [ "$shown" -le $((frames + 1)) ] &&
        pass "without --smooth: $shown pictures in $frames frames, at most one a frame" ||
        fail "without --smooth: $shown pictures in $frames frames"
fi

# --- a game recorded with --smooth replays in zema-sim -------------------------------------------
framesOf() { grep -c '^frame' "$work/smooth.demo" 2>/dev/null; }
if startGame --smooth --record "$work/smooth.demo"; then
    focusGameWindow
    xdotool key Return keydown Right
    waitUntil '[ "$(framesOf)" -ge 15 ]' gameRunning 200
    xdotool keyup Right key space key Escape
    waitGame
    "$sim" <"$work/smooth.demo" >/dev/null 2>"$work/sim.err" && grep -qx 'frame r' "$work/smooth.demo" &&
        pass "recorded with --smooth: $(framesOf) frames, zema-sim replays them to the same end" ||
        fail "recorded with --smooth: status $status, zema-sim: $(cat "$work/sim.err")"
fi

[ "$failures" = 0 ] || { echo "$failures end-to-end checks of --smooth failed"; exit 1; }
echo "all end-to-end checks of --smooth passed"
