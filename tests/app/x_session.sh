# Sourced by the end-to-end tests: checks the tools, starts Xvfb (width x height) with openbox on
# a free display number, and defines pass, fail and $work. On exit the game ($gamePid), openbox
# and Xvfb are stopped and $work is removed. Exits 77 when Xvfb or xdotool is missing.
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

# Gives the game's window ($window) the keyboard.
focusGameWindow() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowactivate --sync "$window"
}

# Waits for the game ($gamePid) to end; its exit status lands in $status.
waitGame() {
    wait "$gamePid"
    status=$?
    gamePid=""
}

# Waits up to 10 s for the game's window and sets $window; false when none appeared. Options
# go to xdotool search (--onlyvisible: once it is shown).
waitForGameWindow() {
    window=""
    for _ in $(seq 100); do
        window="$(xdotool search "$@" --name '^ZEMA$' 2>/dev/null | tail -n1)"
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
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
for _ in $(seq 300); do
    grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break
    kill -0 "$xvfbPid" 2>/dev/null || break
    sleep 0.1
done
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
for _ in $(seq 300); do
    wmctrl -m >/dev/null 2>&1 && break
    kill -0 "$openboxPid" 2>/dev/null || break
    sleep 0.1
done
if ! wmctrl -m >/dev/null 2>&1; then
    echo "FAIL: openbox did not come up:"
    cat "$work/openbox.log"
    echo "Xvfb said:"
    cat "$work/xvfb.log"
    exit 1
fi

