#!/usr/bin/env bash
# End to end: the real game on its own Xvfb with openbox, driven by xdotool and wmctrl, and the
# installed tree started through its launcher.
# Usage: e2e.sh GAME_BINARY BUILD_DIR OUTPUT_DIR
# GAME_BINARY's folder must hold the six WAV files. Screenshots are left in OUTPUT_DIR.
set -uo pipefail

game="$(readlink -f "$1")" build="$(readlink -f "$2")" gameDir="$(dirname "$(readlink -f "$1")")"
mkdir -p "$3" && out="$(readlink -f "$3")"

# The X server with its window manager, pass and fail, and the cleanup of everything started.
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
game="$(emulated "$game")"

# --- helpers ------------------------------------------------------------------------------------
# "r,g,b" of one pixel of a screenshot.
pixel() {
    convert "$out/$1.png" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# Number of pixels that differ between two screenshots inside WxH+X+Y.
differing() {
    compare -metric AE -crop "$3" "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1
}

# Starts the game from the folder with its sounds; waits for its window to cover the screen.
startGame() {
    newFrameReport
    (cd "$gameDir" && exec timeout -k 5 300 "$game") >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
    waitForGameWindow || { fail "no ZEMA window appeared"; return 1; }
    waitSize "${width}x$height"
    focusGameWindow
}

# The screen while the game holds, at once or once it has shown frame N.
shot() { heldShot "$out/$1.png" root "${2:-0}" || fail "no picture $1"; }

# --- play: title, Enter, a held Right arrow, Space, Esc ----------------------------------------
if startGame; then
    size="$(windowSize)"
    [ "$size" = "${width}x$height" ] && pass "the window covers the screen ($size)" \
        || fail "the window is $size, not fullscreen"
    iconSize="$(xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | head -n1)"
    [ -n "$iconSize" ] && pass "the window carries the game's icon ($iconSize)" \
        || fail "the window has no icon"
    shot title
    # The title picture (800 x 600) is centred on the blue clear colour.
    corner="$(pixel title 5 5)"
    [ "$corner" = "0,0,255" ] && pass "title screen: blue around the picture" \
        || fail "title screen: corner is $corner, not the blue clear colour"
    centre="$(pixel title 512 384)"
    [ "$centre" != "0,0,255" ] && pass "title screen: a picture in the middle ($centre)" \
        || fail "title screen: nothing drawn in the middle"

    xdotool key Return
    shot play $(($(lastFrame) + 2))
    changed="$(differing title play "1024x768+0+0")"
    [ "$changed" -gt 100000 ] && pass "Enter started a game ($changed pixels changed)" \
        || fail "Enter did not change the screen enough ($changed pixels)"

    # Held for three frames, short of the wall that stops the craft at x + 600.
    shot beforeRight
    holdKey Right 3
    shot afterRight $(($(lastFrame) + 1))
    # The map moves left under the fixed craft by a multiple of 50: find the shift that makes
    # the upper band (above the craft) of the two pictures agree best.
    best=0
    bestDiff=""
    still="$(differing beforeRight afterRight "600x200+0+0")"
    for s in 50 100 150 200 250 300 350 400; do
        convert "$out/beforeRight.png" -crop "600x200+$s+0" +repage "$work/a.png"
        convert "$out/afterRight.png" -crop "600x200+0+0" +repage "$work/b.png"
        d="$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1)"
        if [ -z "$bestDiff" ] || [ "$d" -lt "$bestDiff" ]; then
            bestDiff=$d
            best=$s
        fi
    done
    echo "unshifted: $still differing pixels; best shift $best: $bestDiff"
    if [ "$still" -gt 1000 ] && [ "$bestDiff" -lt $((still / 10)) ]; then
        pass "held Right scrolled the view by $best pixels"
    else
        fail "held Right did not scroll the view (unshifted $still, shift $best gives $bestDiff)"
    fi

    # The beam: 300 x 30 to the right of the craft at (300, 250), for ten frames from the one
    # after Space; the picture is taken within them, the next once they are over.
    pressBetween space
    fired="$pressedAfter"
    shot beam $((fired + 2))
    beamChanged="$(differing afterRight beam "290x20+515+315")"
    shot afterBeam $((fired + 13))
    beamGone="$(differing beam afterBeam "290x20+515+315")"
    echo "beam area: $beamChanged pixels changed when fired, $beamGone when it ended"
    [ "$beamChanged" -gt 4000 ] && [ "$beamGone" -gt 4000 ] && pass "Space showed the beam" \
        || fail "Space showed no beam"

    escEndsGame
fi

# --- closing the window politely -----------------------------------------------------------------
if startGame; then
    wmctrl -c ZEMA
    waitGame
    [ "$status" = 0 ] && pass "closing the window ended the game with status 0" \
        || fail "window close: status $status"
fi

# --- a missing sound file: status 255 before any frame ------------------------------------------
# The dummy video driver saves every shown frame as a BMP in the working folder.
noHit="$work/nohit"
mkdir -p "$noHit"
cp "$gameDir"/{bgm,clear,door,get,over}.wav "$noHit/"
(cd "$noHit" && SDL_VIDEODRIVER=dummy SDL_VIDEO_DUMMY_SAVE_FRAMES=1 timeout -k 5 30 "$game") \
    >"$work/nohit.out" 2>&1
status=$?
frames="$(find "$noHit" -name '*.bmp' | wc -l)"
[ "$status" = 255 ] && [ "$frames" = 0 ] && pass "missing hit.wav: status 255, no frame shown" \
    || fail "missing hit.wav: status $status, $frames frames shown"

# Runs the game (the launcher, with "launcher") from FOLDER on the dummy video driver until it has
# shown a frame, then sends SIGTERM; $status and $frames (the BMPs in SAVED) tell how it went.
runUntilShown() { # folder, saved, game
    newFrameReport
    (cd "$1" && SDL_VIDEODRIVER=dummy SDL_VIDEO_DUMMY_SAVE_FRAMES=1 \
        exec timeout -k 5 --preserve-status 300 "$3") >"$work/dummy.out" 2>&1 &
    gamePid=$!
    waitFrame 1 && kill -TERM "$gamePid"
    waitGame
    frames="$(find "$2" -name '*.bmp' | wc -l)"
}

# The same with every sound present does show frames, so the count above can see them.
allSounds="$work/all"
mkdir -p "$allSounds"
cp "$gameDir"/*.wav "$allSounds/"
runUntilShown "$allSounds" "$allSounds" "$game"
[ "$status" = 0 ] && [ "$frames" -gt 0 ] && pass "all sounds: $frames frames shown, status 0 on SIGTERM" \
    || fail "all sounds: status $status, $frames frames shown"

# --- no display at all: the display's message on standard error, status 0 ---------------------
# SDL then picks its offscreen driver, which lists no usable display mode: the device cannot be
# made. With a video driver that does not exist, SDL's video cannot start at all.
noDisplay() { # name, expected message, environment...
    local name="$1" expected="$2"
    shift 2
    (cd "$gameDir" && env -u DISPLAY -u SDL_VIDEODRIVER "$@" timeout -k 5 30 "$game") \
        >"$work/$name.out" 2>"$work/$name.err"
    status=$?
    if [ "$status" = 0 ] && grep -qF "$expected" "$work/$name.err"; then
        pass "$name: status 0 after \"$expected\""
    else
        fail "$name: status $status, standard error: $(head -c 300 "$work/$name.err")"
    fi
}
noDisplay "no display" "DIRECT3Dデバイスの作成に失敗しました"
noDisplay "no video driver" "Direct3Dの作成に失敗しました" SDL_VIDEODRIVER=none-such

# --- the installed tree -------------------------------------------------------------------------
prefix="$work/prefix"
if cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    entry="$(find "$prefix/share/applications" -name '*.desktop' ! -name '*.setup.desktop' | head -n1)"
    launcher="$(sed -n 's/^Exec=//p' "$entry" 2>/dev/null)"
    iconName="$(sed -n 's/^Icon=//p' "$entry" 2>/dev/null)"
    icon="$prefix/share/icons/hicolor/64x64/apps/$iconName.png"
    [ "$launcher" = "$prefix/games/zema" ] && [ -x "$launcher" ] &&
        pass "desktop entry runs $launcher" || fail "desktop entry's Exec: '$launcher'"
    identify "$icon" >/dev/null 2>&1 && pass "desktop entry's icon is a picture: $icon" \
        || fail "desktop entry's icon: '$iconName'"
    # Started from elsewhere, the launcher still finds the sounds: frames are shown.
    dataDir="$prefix/share/games/zema"
    # Cross-built, the program the launcher starts runs through the emulator in its place.
    if [ -n "${ZEMA_EMULATOR:-}" ]; then
        program="$prefix/lib/games/zema/zema"
        mv "$program" "$program.real" && mv "$(emulated "$program.real")" "$program"
    fi
    runUntilShown / "$dataDir" "$launcher"
    [ "$status" = 0 ] && [ "$frames" -gt 0 ] && pass "launcher: the game ran from $dataDir" \
        || fail "launcher: status $status, $frames frames"
else
    fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures end-to-end checks failed; screenshots in $out"
    exit 1
fi
echo "all end-to-end checks passed; screenshots in $out"
