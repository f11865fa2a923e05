#!/usr/bin/env bash
# --smooth end to end, the real game under Xvfb and openbox: the title as zema-sim draws it,
# pictures between frames while a demo plays as the game's frame report counts them (and none
# without it), and a game recorded with it replaying in zema-sim.
# Usage: smooth_e2e.sh GAME_BINARY ZEMA_SIM CLEAR_GAME_SCRIPT
# GAME_BINARY's folder must hold the six WAV files.
set -uo pipefail
game="$(readlink -f "$1")" sim="$(readlink -f "$2")" clearScript="$(readlink -f "$3")"
source "$(dirname "$0")/../support/x_session.sh"
game="$(emulated "$game")" sim="$(emulated "$sim")"

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

# The pictures shown between frames while the demo plays, as the game counts them: a picture whose
# time has passed is left out by design, so a loaded machine shows fewer, never none.
countPictures() { # what, option...
    local what="$1"
    shift
    startGame --playdemo "$work/clear.demo" "$@" || return 1
    waitGame
    [ "$status" = 0 ] || fail "$what: the demo ended with status $status: $(cat "$work/game.err")"
    read -r _ shownFrames between < <(grep '^shown' "$ZEMA_FRAME_REPORT" | tail -n1)
    echo "$what: $between pictures between frames in $shownFrames frames"
    [ "$shownFrames" = $frames ] || fail "$what: the report's last frame is $shownFrames, not $frames"
}
if countPictures "--smooth" --smooth; then
    [ "$between" -ge $((frames / 2)) ] &&
        pass "--smooth: $between pictures between the demo's $frames frames, at least one for two" ||
        fail "--smooth: only $between pictures between $frames frames"
fi
if countPictures "without --smooth"; then
    [ "$between" = 0 ] && pass "without --smooth: no picture between frames" ||
        fail "without --smooth: $between pictures between frames"
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
