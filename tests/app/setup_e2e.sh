#!/usr/bin/env bash
# zema-setup under Xvfb with openbox: its window "ZEMA setup", a key bound by keys and saved into
# the player's file with the rest of it as it was, "Play" starting the game with that file (the
# new quit key quits, Esc no longer does), and Esc or closing the window writing nothing, status 0.
# Usage: setup_e2e.sh ZEMA_SETUP ZEMA OUTPUT_DIR (the game beside the setup, with its sounds)
set -uo pipefail
setup="$(readlink -f "$1")" game="$(readlink -f "$2")" out="$3"
mkdir -p "$out"
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
# Nothing of the machine's own settings or data folders: only the file named.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
conf="$work/my settings.conf"
printf '# my own words\nwindow = 800x600\n\n  volume=40\n' >"$conf"
cp "$conf" "$work/before"

# The rows are the settings in the table's order, as --write-config lists them.
quitRow="$("$game" --write-config | grep -oE '^(# )?[a-z][a-z.-]* = ' | sed 's/^# //; s/ = $//' |
    grep -nx 'key.quit' | cut -d: -f1)"
[ -n "$quitRow" ] || { echo "FAIL: no key.quit among the settings"; exit 1; }

# Starts the setup on the file and waits for its window; false when none came.
startSetup() {
    (exec timeout -k 5 120 "$setup" --config="$conf") >"$work/setup.out" 2>"$work/setup.err" &
    gamePid=$!
    windowName='^ZEMA setup$'
    findGameWindow --onlyvisible && { windowName='^ZEMA$'; focusGameWindow; return 0; }
    windowName='^ZEMA$'
    stopGame
    fail "no 'ZEMA setup' window appeared: $(head -c 300 "$work/setup.err")"
    return 1
}

# Waits until the file says what is asked or the setup has gone.
waitForFile() { wantedLine="$1" && waitUntil 'grep -qx "$wantedLine" "$conf"' gameRunning; }

# --- key.quit bound to Q by keys, saved, then Play --------------------------------------------
if startSetup; then
    pass "the window 'ZEMA setup' opened"
    for _ in $(seq $((quitRow - 1))); do xdotool key Down; done
    xdotool key Return q End Return
    if waitForFile 'key.quit = Q'; then
        import -window "$window" "$out/setup.png" 2>/dev/null
        { cat "$work/before"; printf '\n# keys that quit (default Escape)\nkey.quit = Q\n'; } >"$work/wanted"
        cmp -s "$conf" "$work/wanted" && pass "Save wrote key.quit = Q at the end, the rest as it was" ||
            fail "the saved file: $(cat -A "$conf" | head -c 400)"
    else
        fail "Save did not write key.quit = Q: $(head -c 300 "$conf")"
    fi
    newFrameReport
    # From Save, the next button is Play: the game takes this process's place.
    xdotool key Right Return
    if waitForGameWindow --onlyvisible && waitSize 800x600; then
        pass "Play started the game with the file's 800x600 window"
        focusGameWindow
        xdotool key Escape
        waitFramesAfter 3 && kill -0 "$gamePid" 2>/dev/null && pass "Esc no longer quits it" ||
            fail "the game ended on Esc, its quit key before the setup"
        xdotool key q
        waitGame
        [ "$status" = 0 ] && pass "Q, the quit key saved, ended the game with status 0" ||
            fail "after Q: status $status"
    else
        fail "Play showed no 800x600 game window: $(head -c 300 "$work/setup.err")"
    fi
fi

# --- Esc and closing the window leave the file as it was --------------------------------------
cp "$conf" "$work/before"
for leave in Escape close; do
    startSetup || continue
    # The first row steps to another value, unsaved.
    xdotool key Right
    if [ "$leave" = Escape ]; then xdotool key Escape; else wmctrl -c 'ZEMA setup'; fi
    waitGame
    [ "$status" = 0 ] && cmp -s "$conf" "$work/before" && [ ! -e "$conf.new" ] &&
        pass "$leave: status 0, the file untouched" ||
        fail "$leave: status $status, file changed or left: $(head -c 600 "$work/setup.err")"
done
[ "$failures" = 0 ] && echo "all setup checks passed; its picture in $out" || exit 1
