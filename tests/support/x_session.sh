# Sourced by the end-to-end tests: checks the tools, starts Xvfb (width x height) with openbox on
# a free display number, and defines pass, fail, $work and the waits for the game's window and
# frames. On exit the game ($gamePid), openbox and Xvfb are stopped and $work is removed. Exits 77
# when Xvfb or xdotool is missing.
width="${width:-1024}"
height="${height:-768}"

# shellcheck source=tests/test_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../test_checks.sh"
skipWithout Xvfb xdotool
needTools openbox wmctrl xprop xdpyinfo import convert compare identify

work="$(mktemp -d)"
xvfbPid=""
openboxPid=""
gamePid=""
cleanup() {
    for pid in $gamePid $openboxPid $xvfbPid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Gives the game's window ($window) the keyboard. xdotool's --sync waits for the focus without
# end, hence the bound.
focusGameWindow() {
    timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null ||
        timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null
}

# Whether the game ($gamePid) is still running, and its window ($window) still there.
gameRunning() { [ -n "$gamePid" ] && kill -0 "$gamePid" 2>/dev/null; }
windowShown() { gameRunning && xdotool getwindowname "$window" >/dev/null 2>&1; }

# Stops a game still running (one whose window never came, say), so that nothing of it is left
# for the next game's window search to find; its status lands in $status.
stopGame() {
    [ -n "$gamePid" ] || return 0
    kill "$gamePid" 2>/dev/null
    waitUntil '! gameRunning' true 100 || { pkill -KILL -P "$gamePid"; kill -KILL "$gamePid"; } 2>/dev/null
    waitGame
}

# Waits for the game ($gamePid) to end; its exit status lands in $status.
waitGame() {
    wait "$gamePid"
    status=$?
    gamePid=""
}

# Every wait below gives up after a minute (waitUntil's bound), or as soon as the game has ended.

# The games report their frames here (src/app/frame_report.h): "shown N" once frame N is on
# screen, "held N" while the hold file keeps it there.
export ZEMA_FRAME_REPORT="$work/frames"
frameHold="$ZEMA_FRAME_REPORT.hold"

# Before a game starts: no report or hold of an earlier one.
newFrameReport() { rm -f "$ZEMA_FRAME_REPORT" "$frameHold"; }

# The last frame the game has shown, 0 before the first.
lastFrame() { tail -n1 "$ZEMA_FRAME_REPORT" 2>/dev/null | awk '{ n = $2 } END { print n + 0 }'; }

# Esc ends the game before another frame (the one under way at most), with status 0; the check's
# lines start with PREFIX.
escEndsGame() {
    xdotool key Escape
    local pressed
    pressed="$(lastFrame)"
    waitGame
    [ "$status" = 0 ] && [ "$(lastFrame)" -le $((pressed + 1)) ] &&
        pass "${1:-}Esc ended the game with status 0, no frame after it" ||
        fail "${1:-}Esc: status $status, frame $(lastFrame) shown after Esc at frame $pressed"
}

# Waits until the game has shown frame N; false when it ended first or a minute went by.
waitFrame() {
    waitUntil "[ \"\$(lastFrame)\" -ge $1 ]" gameRunning && return 0
    fail "the game did not show frame $1 (its last: $(lastFrame))"
    return 1
}

# Waits until N frames have run that began after every key or window change made so far: the one
# under way may have taken its events before them.
waitFramesAfter() { waitFrame $(($(lastFrame) + 1 + $1)); }

# Waits up to a minute for the game's window and sets $window; false when none appeared. Options
# go to xdotool search (--onlyvisible: once it is mapped); $windowName is the title's pattern.
windowName='^ZEMA$'
findGameWindow() {
    window=""
    searchOptions=("$@")
    waitUntil searchGameWindow gameRunning
}
searchGameWindow() {
    window="$(xdotool search "${searchOptions[@]}" --name "$windowName" 2>/dev/null | tail -n1)"
    [ -n "$window" ]
}

# The game's window, and its first frame shown. A game that shows neither is stopped.
waitForGameWindow() { findGameWindow "$@" && waitFrame 1 && return 0; stopGame; return 1; }

# WxH of the game's window.
windowSize() {
    xdotool getwindowgeometry --shell "$window" 2>/dev/null | awk -F= '/WIDTH/{w=$2}/HEIGHT/{h=$2}END{print w "x" h}'
}

# Waits for the window to be WxH and then for a frame drawn at that size.
waitSize() {
    waitUntil "[ \"\$(windowSize)\" = $1 ]" windowShown && waitFramesAfter 1
}

# Has the game stop once it has shown frame N (0: at once) and waits until it has; $heldFrame is
# the frame on screen. Keys sent while it holds are handled before its next frame.
holdAt() {
    local lines
    lines="$(cat "$ZEMA_FRAME_REPORT" 2>/dev/null | wc -l)"
    # Whole or not at all: the game reads the file while it is being written.
    echo "$1" >"$frameHold.new" && mv "$frameHold.new" "$frameHold"
    heldFrame=""
    waitUntil 'heldFrame="$(heldSince "$lines")"; [ -n "$heldFrame" ]' gameRunning && return 0
    fail "the game did not hold at frame $1 (its last: $(lastFrame))"
    return 1
}
# The frame the report says the game held at after its first LINES lines, if any.
heldSince() { tail -n +$(($1 + 1)) "$ZEMA_FRAME_REPORT" 2>/dev/null | sed -n 's/^held //p' | head -n1; }

# Lets the game go on from a hold, and waits until it has (its next frame shown, or its end): a
# hold asked for at once after would otherwise find it still holding, and never see "held".
release() {
    rm -f "$frameHold"
    [ -n "${heldFrame:-}" ] || return 0
    waitUntil '[ "$(lastFrame)" -gt "$heldFrame" ]' gameRunning || true
}

# A picture of the screen, or of the game's window with "window", into FILE, taken while the
# game holds once it has shown frame N (0 or none: the next it can).
heldShot() { # file, root|window, N
    holdAt "${3:-0}" && import -window "$([ "${2:-root}" = root ] && echo root || echo "$window")" "$1"
    release
    [ -n "$heldFrame" ]
}

# Holds KEY down for N frames: pressed and released while the game holds, the hold moved on to N
# frames later in one step, so that exactly the N frames between see it held, however slow the
# machine.
holdKey() { # key, N
    holdAt 0 || return 1
    xdotool keydown "$1"
    holdAt $((heldFrame + $2))
    xdotool keyup "$1"
    release
}

# Sends KEY while the game holds; $pressedAfter is the frame it comes after.
pressBetween() { # key
    holdAt 0 || return 1
    pressedAfter="$heldFrame"
    xdotool key "$1"
    release
}

# Audio never needs a sound card here; the dummy driver accepts any format.
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

# --- an X server on a free display number, with repeats pushed out of reach --------------------
# Xvfb picks a free display number itself and writes it to the given descriptor only once it
# accepts clients: its socket file can appear before that, or belong to a server that then fails.
# No reset when the probing client below disconnects.
Xvfb -displayfd 3 -noreset -screen 0 "${width}x${height}x24" -nolisten tcp -ardelay 30000 -arinterval 30000 \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfbPid=$!
waitUntil "grep -q '^[0-9][0-9]*\$' \"\$work/display\" 2>/dev/null" 'kill -0 "$xvfbPid" 2>/dev/null' 300
if ! grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null || ! kill -0 "$xvfbPid" 2>/dev/null; then
    echo "FAIL: Xvfb did not come up:"
    cat "$work/xvfb.log"
    exit 1
fi
export DISPLAY=":$(cat "$work/display")"
xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb on $DISPLAY takes no clients:"; cat "$work/xvfb.log"; exit 1; }
echo "Xvfb on $DISPLAY"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
openboxPid=$!
# A loaded machine can take a while; without the window manager nothing below can work.
waitUntil 'wmctrl -m >/dev/null 2>&1' 'kill -0 "$openboxPid" 2>/dev/null' 300
if ! wmctrl -m >/dev/null 2>&1; then
    echo "FAIL: openbox did not come up:"
    cat "$work/openbox.log"
    echo "Xvfb said:"
    cat "$work/xvfb.log"
    exit 1
fi

