#!/usr/bin/env bash
# Demos end to end: the real game on its own Xvfb with openbox records a game driven by xdotool,
# plays and times demos, and refuses broken ones; zema-sim checks what it wrote.
# Usage: demo_e2e.sh GAME_BINARY ZEMA_SIM CLEAR_GAME_SCRIPT
# GAME_BINARY's folder must hold the six WAV files.
set -uo pipefail

game="$(readlink -f "$1")"
sim="$(readlink -f "$2")"
clearScript="$(readlink -f "$3")"
gameDir="$(dirname "$game")"

# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
game="$(emulated "$game")" sim="$(emulated "$sim")"

# --- helpers ------------------------------------------------------------------------------------
# Starts the game with the given options from the folder with its sounds.
startGame() {
    newFrameReport
    (cd "$gameDir" && exec timeout -k 5 300 "$game" "$@") >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
}

# Waits for the game's window and its first frame, and gives it the keyboard.
focusGame() {
    waitForGameWindow --onlyvisible || { fail "no ZEMA window appeared"; return 1; }
    focusGameWindow
}

# Puts a digit before one key's value in the demo's expected record and plays it with the option:
# status 3, and one line naming that key.
editedExpectGives3() { # option, demo, key, digit
    sed "\$ s/\"$3\":\([0-9]*\)/\"$3\":$4\1/" "$2" >"$work/edited.demo"
    runGame "$1" "$work/edited.demo"
    [ "$status" = 3 ] && grep -q "^zema: expect: \"$3\" differs: the demo has $4" "$work/game.err" \
        && pass "${1#--}: an edited expect gives status 3 and $(cat "$work/game.err")" \
        || fail "${1#--} with an edited expect: status $status, $(cat "$work/game.err")"
}

# Runs the game to its end with the given options; status, standard output and error kept.
runGame() {
    newFrameReport
    (cd "$gameDir" && timeout -k 5 300 "$game" "$@") >"$work/game.out" 2>"$work/game.err"
    status=$?
}

checkWithSim() { # name, demo
    "$sim" <"$2" >"$work/sim.out" 2>"$work/sim.err"
    local simStatus=$?
    [ "$simStatus" = 0 ] && pass "$1: zema-sim replays it to the same last frame" \
        || fail "$1: zema-sim status $simStatus: $(cat "$work/sim.err")"
}

# --- recording a game played with the keyboard ----------------------------------------------------
demo="$work/played.demo"
startGame --record "$demo"
if focusGame; then
    xdotool key Return
    holdKey Right 5
    xdotool key space
    holdKey Down 5
    xdotool key space
    waitFramesAfter 1
    xdotool key Escape
    waitGame
    [ "$status" = 0 ] && pass "recording: Esc ended the game with status 0" \
        || fail "recording: status $status, $(cat "$work/game.err")"
    grep -qx 'device keyboard' "$demo" && grep -qx 'mode 1024x768' "$demo" && grep -qx 'enter' "$demo" \
        && grep -qx 'frame r' "$demo" && grep -qx 'frame d' "$demo" && [ "$(grep -cx space "$demo")" = 2 ] \
        && pass "recording: header, Enter, both Spaces, right and down frames written" \
        || fail "recording: the demo lacks lines: $(grep -v '^frame$' "$demo" | cut -c1-80)"
    [ "$(tail -n 2 "$demo" | head -n 1)" = "esc" ] && tail -n 1 "$demo" | grep -q '^expect {"frame":' \
        && pass "recording: ends with esc and the expected record" \
        || fail "recording: ends with $(tail -n 2 "$demo" | cut -c1-60)"
    # The whole loop was recorded: scrolled right and down in play.
    last="$(tail -n 1 "$demo")"
    case "$last" in
        *'"screenMode":0'*) pass "recording: the last frame is in play" ;;
        *) fail "recording: the last frame is not in play: ${last:0:120}" ;;
    esac
    checkWithSim "keyboard game" "$demo"
    cp "$demo" "$work/keyboard.demo"
fi

# --- closing the window ends the recording without esc ------------------------------------------
demo="$work/closed.demo"
startGame --record "$demo"
if focusGame; then
    xdotool key Return
    waitFramesAfter 2
    wmctrl -c ZEMA
    waitGame
    [ "$status" = 0 ] && ! grep -qx esc "$demo" && tail -n 1 "$demo" | grep -q '^expect ' \
        && pass "closing the window: status 0, the demo ends with expect and no esc" \
        || fail "closing the window: status $status, ends with $(tail -n 1 "$demo" | cut -c1-40)"
    checkWithSim "closed game" "$demo"
fi

# --- a recording cut short by a crash still replays up to its last line -------------------------
demo="$work/crashed.demo"
startGame --record "$demo"
if focusGame; then
    xdotool key Return keydown Left
    # The recorder writes about once a second: killed once ten frames are in the file.
    waitUntil '[ "$(grep -c "^frame" "$demo")" -ge 10 ]' gameRunning
    # The game itself, not the timeout that runs it.
    kill -KILL "$(pgrep -P "$gamePid")"
    waitGame
    xdotool keyup Left
    frames="$(grep -c '^frame' "$demo")"
    [ "$frames" -ge 10 ] && [ "$(tail -c 1 "$demo" | od -An -c | tr -d ' ')" = '\n' ] \
        && pass "killed while recording: $frames frames written, the file ends with a whole line" \
        || fail "killed while recording: $frames frames, last bytes $(tail -c 20 "$demo" | od -c | head -2)"
    "$sim" <"$demo" >"$work/sim.out" 2>"$work/sim.err"
    simStatus=$?
    [ "$simStatus" = 0 ] && [ "$(wc -l <"$work/sim.out")" = "$frames" ] \
        && pass "killed while recording: zema-sim replays its $frames frames" \
        || fail "killed while recording: zema-sim status $simStatus, $(wc -l <"$work/sim.out") frames"
fi

# --- the committed clearing script as a demo, timed ---------------------------------------------
cleared="$work/cleared.demo"
cp "$clearScript" "$cleared"
printf 'expect %s\n' "$("$sim" <"$clearScript" | tail -n 1)" >>"$cleared"
runGame --timedemo "$cleared"
if [ "$status" = 0 ] && grep -Eq '^1986 frames in [0-9.]+ s: [0-9.]+ frames/s$' "$work/game.out"; then
    pass "timedemo: the cleared game reaches its expected end: $(head -n 1 "$work/game.out")"
else
    fail "timedemo: status $status, printed '$(cat "$work/game.out")', $(cat "$work/game.err")"
fi
grep -q '^per frame: ' "$work/game.out" && pass "timedemo: $(sed -n 2p "$work/game.out")" \
    || fail "timedemo: no split of the frame's time"

# An edited expected record: status 3 and the first key that differs, from either player.
editedExpectGives3 --timedemo "$cleared" energy 1

# --- played at the game's own pace, live keys ignored -------------------------------------------
short="$work/short.demo"
# Three seconds on the title screen: a live Enter there would start the game early.
printf 'device keyboard\nframes 30\nenter\nframes 5 r\nspace\nframes 5 d\n' >"$short"
printf 'expect %s\n' "$("$sim" <"$short" | tail -n 1)" >>"$short"
start=$(date +%s%N)
startGame --playdemo "$short"
if focusGame; then
    # Enter and Space from the keyboard do nothing while the demo plays; they come while it
    # still shows the title, or they would prove nothing.
    xdotool key space Return
    keysAt="$(lastFrame)"
    waitGame
    [ "$keysAt" -le 28 ] || fail "playdemo: the keys came at frame $keysAt, after the title's 30 frames"
    elapsed=$((($(date +%s%N) - start) / 1000000))
    [ "$status" = 0 ] && pass "playdemo: the short demo ends at its expected record (status 0)" \
        || fail "playdemo: status $status, $(cat "$work/game.err")"
    [ "$elapsed" -ge 4000 ] && pass "playdemo: 40 frames took $elapsed ms, the game's own pace" \
        || fail "playdemo: 40 frames took only $elapsed ms"
fi
editedExpectGives3 --playdemo "$short" shotTimer 9
if [ -f "$work/keyboard.demo" ]; then
    runGame --playdemo "$work/keyboard.demo"
    [ "$status" = 0 ] && pass "playdemo: the recorded keyboard game plays to its expected end" \
        || fail "playdemo of the recorded game: status $status, $(cat "$work/game.err")"
fi

# Esc still quits a demo that is playing, with status 0, before the next frame.
long="$work/long.demo"
printf 'enter\nframes 600 r\nexpect {"frame":600}\n' >"$long"
startGame --playdemo "$long"
if focusGame; then
    xdotool key Escape
    pressed="$(lastFrame)"
    waitGame
    [ "$status" = 0 ] && [ "$(lastFrame)" -le $((pressed + 1)) ] \
        && pass "playdemo: Esc at frame $pressed of 600 quits with status 0" \
        || fail "playdemo with Esc at frame $pressed: status $status, frame $(lastFrame) shown"
fi

# --- demos that are not valid, and a demo file that cannot be made ------------------------------
refused() { # name, text, expected message part
    printf '%b' "$2" >"$work/bad.demo"
    for option in --playdemo --timedemo; do
        runGame "$option" "$work/bad.demo"
        if [ "$status" = 2 ] && grep -qF "$3" "$work/game.err" && [ "$(wc -l <"$work/game.err")" = 1 ]; then
            pass "$1 ($option): status 2, $(cat "$work/game.err")"
        else
            fail "$1 ($option): status $status, $(cat "$work/game.err")"
        fi
    done
}
refused "broken demo" 'enter\nframes two r\n' "bad.demo: line 2: frames needs a count"
refused "truncated demo" 'enter\nframes 3 r\nexpect {"frame":3,"scre' "bad.demo: line 3: expect needs a frame record"
refused "unknown command" 'device keyboard\nframe\nteleport 5 5\n' "bad.demo: line 3: unknown command 'teleport'"
refused "misplaced line" 'frame\nseed 4\n' "bad.demo: line 2: seed must come before the first frame"
for unreadable in "$work/none-such.demo" "$work" /dev/zero; do
    runGame --playdemo "$unreadable"
    [ "$status" = 2 ] && grep -q "cannot read the demo" "$work/game.err" \
        && pass "unreadable demo: status 2, $(cat "$work/game.err")" \
        || fail "unreadable demo $unreadable: status $status, $(cat "$work/game.err")"
done

before="$(xdotool search --name '^ZEMA$' 2>/dev/null | wc -l)"
runGame --record "$work/no-such-folder/game.demo"
if [ "$status" = 2 ] && [ "$(wc -l <"$work/game.err")" = 1 ] && grep -q "cannot create the demo" "$work/game.err" \
    && [ "$(lastFrame)" = 0 ] && [ ! -e "$work/no-such-folder" ]; then
    pass "a demo that cannot be created: status 2 before any frame, $(cat "$work/game.err")"
else
    fail "a demo that cannot be created: status $status after $(lastFrame) frames, $(cat "$work/game.err")"
fi
[ "$(xdotool search --name '^ZEMA$' 2>/dev/null | wc -l)" = "$before" ] || fail "a window was opened"

if [ "$failures" -gt 0 ]; then
    echo "$failures demo checks failed"
    exit 1
fi
echo "all demo checks passed"
