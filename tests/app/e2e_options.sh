#!/usr/bin/env bash
# End to end for the program around the game: the window and its size, Alt+Enter, F12
# screenshots, --nosound, the command line's own answers, every start-up failure's line with its
# exit status, and silence on a normal run. The real game on its own Xvfb with openbox.
# Usage: e2e_options.sh GAME_BINARY FAIL_INPUT_SHIM VERSION OUTPUT_DIR
# GAME_BINARY's folder must hold the six WAV files. Screenshots are left in OUTPUT_DIR.
set -uo pipefail

game="$(readlink -f "$1")" shim="$(readlink -f "$2")" version="$3"
gameDir="$(dirname "$game")"
mkdir -p "$4" && out="$(readlink -f "$4")"

# The X server with its window manager, pass and fail, and the cleanup of everything started.
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
game="$(emulated "$game")"

export XDG_DATA_HOME="$work/data"
shots="$XDG_DATA_HOME/zema/screenshots"

# --- helpers ------------------------------------------------------------------------------------
# Starts the game with the given options from the folder with its sounds; waits for its window.
startGame() {
    newFrameReport
    (cd "$gameDir" && exec timeout -k 5 120 "$game" "$@") >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
    waitForGameWindow || { fail "no ZEMA window appeared ($*)"; return 1; }
}

isFullscreen() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }


# F12 while the game holds, then waits for the path the game prints; copies the shot, of the
# frame on screen ($heldFrame), to OUTPUT_DIR/NAME.png and the window's picture of that frame to
# OUTPUT_DIR/NAME-window.png. (Print Screen is bound by openbox itself;
# tests/app/program_keys_test.cpp covers it.)
screenshot() {
    local before
    before="$(wc -l <"$work/game.out")"
    holdAt 0 && import -window "$window" "$out/$1-window.png"
    xdotool key F12
    release
    waitUntil '[ "$(wc -l <"$work/game.out")" -gt "$before" ]' gameRunning
    lastShot="$(tail -n1 "$work/game.out")"
    if [ -f "$lastShot" ]; then
        cp "$lastShot" "$out/$1.png"
    else
        fail "F12 printed no screenshot path for $1 (printed '$lastShot')"
        return 1
    fi
}

size() { identify -format '%wx%h' "$out/$1.png"; }

# Pixels that differ between two pictures inside WxH+X+Y of each.
differingCrops() {
    convert "$out/$1.png" -crop "$2" +repage "$work/crop-a.png"
    convert "$out/$3.png" -crop "$4" +repage "$work/crop-b.png"
    compare -metric AE "$work/crop-a.png" "$work/crop-b.png" null: 2>&1 | cut -d' ' -f1
}

pixel() {
    convert "$out/$1.png" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

quitGame() {
    xdotool key Escape
    waitGame
}

# The game's standard output holds only the paths of the shots it wrote, its error output nothing.
expectQuiet() {
    local stray
    stray="$(grep -v "^$shots/zema-[0-9]*-[0-9]*\(-[0-9]*\)\?\.png\$" "$work/game.out")"
    if [ -z "$stray" ] && [ ! -s "$work/game.err" ]; then
        pass "$1: nothing printed but screenshot paths"
    else
        fail "$1: stray output: '$stray' / '$(head -c 300 "$work/game.err")'"
    fi
}

# --- a normal start prints nothing --------------------------------------------------------------
if startGame; then
    waitSize "${width}x$height" && isFullscreen && pass "no options: fullscreen at ${width}x$height" ||
        fail "no options: the window is $(windowSize)"
    focusGameWindow
    quitGame
    [ "$status" = 0 ] && pass "no options: Esc ends with status 0" || fail "no options: status $status"
    expectQuiet "a normal run"
fi

# --- a window, F12, Alt+Enter and back, resizing ------------------------------------------------
if startGame --window=800x600; then
    waitSize 800x600 && ! isFullscreen && pass "--window=800x600 gives an 800x600 window" ||
        fail "--window=800x600 gives $(windowSize)"
    # A window the user may resize tells the window manager a maximum beyond its size.
    maxWidth="$(xprop -id "$window" WM_NORMAL_HINTS | sed -n 's/.*maximum size: \([0-9]*\) by.*/\1/p')"
    [ -n "$maxWidth" ] && [ "$maxWidth" -gt 800 ] && pass "the window is resizable" ||
        fail "the window is not resizable (maximum width '$maxWidth')"
    focusGameWindow
    if screenshot title800; then
        d="$(compare -metric AE "$out/title800.png" "$out/title800-window.png" null: 2>&1 | cut -d' ' -f1)"
        [ "$(size title800)" = 800x600 ] && [ "$d" = 0 ] &&
            pass "F12 wrote $lastShot, equal to the window's picture of frame $heldFrame" ||
            fail "F12's picture is $(size title800) and differs from the window's of frame $heldFrame in $d pixels"
    fi

    xdotool key alt+Return
    waitSize "${width}x$height" && isFullscreen && pass "Alt+Enter went fullscreen" ||
        fail "Alt+Enter: the window is $(windowSize)"
    if screenshot titleFull; then
        # The view followed the screen, the game did not start: the same title, now centred.
        d="$(differingCrops titleFull "800x600+$(((width - 800) / 2))+$(((height - 600) / 2))" title800 800x600+0+0)"
        [ "$(size titleFull)" = "${width}x$height" ] && [ "$d" = 0 ] &&
            pass "fullscreen: the view is ${width}x$height and shows the same title screen" ||
            fail "fullscreen: shot $(size titleFull), title differs in $d pixels"
    fi
    xdotool key alt+Return
    waitSize 800x600 && ! isFullscreen && pass "Alt+Enter went back to the 800x600 window" ||
        fail "second Alt+Enter: the window is $(windowSize)"
    focusGameWindow

    xdotool key Return
    waitFramesAfter 1
    screenshot play800
    xdotool windowsize "$window" 1000 700
    waitSize 1000x700 || fail "resizing: the window is $(windowSize)"
    if screenshot play1000; then
        # The same place in the world, seen through a wider view: the wall band along the top
        # (above the craft and any enemy at the start) agrees, and goes on past x = 800.
        d="$(differingCrops play800 800x120+0+0 play1000 800x120+0+0)"
        colours="$(convert "$out/play1000.png" -crop 200x120+800+0 +repage -format %k info:)"
        [ "$(size play1000)" = 1000x700 ] && [ "$d" -lt 500 ] && [ "$colours" -gt 3 ] &&
            pass "resized to 1000x700: the view shows more of the world ($colours colours past x = 800)" ||
            fail "resized: shot $(size play1000), top band differs in $d pixels, $colours colours past 800"
    fi
    quitGame
    [ "$status" = 0 ] && pass "--window: Esc ends with status 0" || fail "--window: status $status"
    expectQuiet "a windowed run with Alt+Enter and screenshots"
fi

# --- a screenshot folder that cannot be made: reported, the game goes on -----------------------
blocked="$work/blocked"
echo "a file, not a folder" >"$blocked"
if XDG_DATA_HOME="$blocked" startGame --window=640x480; then
    waitSize 640x480
    focusGameWindow
    # The game goes on: Enter after the failed shot starts a game.
    xdotool key F12 Return
    heldShot "$out/afterFailedShot.png" window $(($(lastFrame) + 2))
    quitGame
    grep -q "^zema: cannot save a screenshot: $blocked/zema: Not a directory\$" "$work/game.err" &&
        [ "$status" = 0 ] && [ "$(pixel afterFailedShot 5 5)" != "0,0,255" ] &&
        pass "an unmakeable screenshot folder is reported and the game goes on" ||
        fail "unmakeable folder: status $status, '$(cat "$work/game.err")'"
fi

# --- --nosound plays with no audio driver at all ------------------------------------------------
if SDL_AUDIODRIVER=none-such startGame --nosound --window=640x480; then
    waitSize 640x480
    heldShot "$out/nosound.png" window
    focusGameWindow
    quitGame
    [ "$status" = 0 ] && [ "$(pixel nosound 320 240)" != "0,0,255" ] &&
        pass "--nosound: plays without an audio driver, status 0" ||
        fail "--nosound: status $status, centre $(pixel nosound 320 240)"
    expectQuiet "--nosound"
fi

# --- failures: one line naming what failed and why, and the exit status ------------------------
# Runs the game from FOLDER with the environment and options after "--"; no window system is
# reached except where DISPLAY is kept, and then nothing gets as far as a message box.
run() { # folder, environment... -- options...
    local folder="$1"
    shift
    local environment=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        environment+=("$1")
        shift
    done
    shift
    (cd "$folder" && env "${environment[@]}" timeout -k 5 30 "$game" "$@") \
        >"$work/run.out" 2>"$work/run.err"
    status=$?
}

# The status, and exactly one line of ours on standard error, which holds the expected text.
expectFailure() { # name, status, text
    local ours
    ours="$(grep -c '^zema: ' "$work/run.err")"
    if [ "$status" = "$2" ] && [ "$ours" = 1 ] && grep -qF -- "$3" "$work/run.err"; then
        pass "$1: status $2, \"$(grep '^zema: ' "$work/run.err")\""
    else
        fail "$1: status $status (want $2), standard error: $(head -c 400 "$work/run.err")"
    fi
}

dummy=(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy)
sounds() { # folder with the six sounds but hit.wav, which the caller replaces
    mkdir -p "$1"
    cp "$gameDir"/{bgm,clear,door,get,over}.wav "$1/"
}

sounds "$work/nohit"
run "$work/nohit" "${dummy[@]}" --
expectFailure "missing hit.wav" 255 "zema: cannot load sound file 'hit.wav': No such file or directory"

sounds "$work/junk"
echo "not a sound" >"$work/junk/hit.wav"
run "$work/junk" "${dummy[@]}" --
expectFailure "hit.wav not a WAVE" 255 "zema: cannot load sound file 'hit.wav': not a RIFF WAVE file"

# 24-bit PCM, mono, 44,100 Hz: a real WAVE file of a format we do not play.
sounds "$work/24bit"
printf 'RIFF\x2a\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xac\x00\x00\xcc\x04\x02\x00\x03\x00\x18\x00data\x06\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    >"$work/24bit/hit.wav"
run "$work/24bit" "${dummy[@]}" --
expectFailure "24-bit hit.wav" 255 "zema: cannot load sound file 'hit.wav': a format we do not play"

run "$gameDir" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=none-such --
expectFailure "no audio device" 255 "zema: no audio device: Audio target 'none-such' not available (zema --nosound plays without sound)"

# With ALSA and no sound card, ALSA's own complaints are not shown: our line is all there is.
if [ -e /dev/snd ]; then
    echo "skip: no audio device through ALSA (this machine has a sound card)"
else
    run "$gameDir" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=alsa --
    if [ "$status" = 255 ] && [ "$(wc -l <"$work/run.err")" = 1 ] &&
        grep -q '^zema: no audio device: ALSA' "$work/run.err"; then
        pass "no audio device through ALSA: one line of ours, nothing of ALSA's"
    else
        fail "no audio device through ALSA: status $status, standard error: $(head -c 400 "$work/run.err")"
    fi
fi

# ASan insists on coming first among the libraries; the shim is only there to make SDL refuse.
run "$gameDir" "${dummy[@]}" LD_PRELOAD="$shim" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" --
expectFailure "input set-up refused" 0 "zema: cannot set up the input: game controllers refused by the test"

run "$gameDir" -u DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy --
expectFailure "no display" 0 "zema: cannot set up the display: display 0 has no 32-bit mode (video driver 'offscreen')"
grep -qF "DIRECT3Dデバイスの作成に失敗しました" "$work/run.err" &&
    pass "no display: the original's message too" || fail "no display: no original message"

run "$gameDir" -u DISPLAY SDL_VIDEODRIVER=none-such SDL_AUDIODRIVER=dummy --
expectFailure "no video driver" 0 "zema: cannot start SDL's video: none-such not available"

# The command line's faults: status 2 and one line, before anything starts; the display checks
# ask the X server for its size without opening a window.
run "$gameDir" "${dummy[@]}" -- --window=0x600
expectFailure "--window=0x600" 2 "zema: invalid window size '0x600'"
run "$gameDir" "${dummy[@]}" -- --bogus
expectFailure "--bogus" 2 "zema: unknown option '--bogus' (try 'zema --help')"
run "$gameDir" SDL_AUDIODRIVER=dummy -- --window=5000x700
expectFailure "a window larger than the screen" 2 "zema: a 5000x700 window does not fit display 0 (${width}x$height)"
run "$gameDir" SDL_AUDIODRIVER=dummy -- --display=1
expectFailure "--display=1" 2 "zema: there is no display 1 (only display 0)"

# --help and --version answer on standard output and start nothing.
run "$gameDir" -u DISPLAY SDL_VIDEODRIVER=none-such -- --help
[ "$status" = 0 ] && grep -q '^Usage: zema' "$work/run.out" && [ ! -s "$work/run.err" ] &&
    pass "--help: usage on standard output, status 0" || fail "--help: status $status"
run "$gameDir" -u DISPLAY SDL_VIDEODRIVER=none-such -- --version
[ "$status" = 0 ] && [ "$(cat "$work/run.out")" = "zema $version" ] && [ ! -s "$work/run.err" ] &&
    pass "--version: zema $version" || fail "--version: status $status, '$(cat "$work/run.out")'"

if [ "$failures" -gt 0 ]; then
    echo "$failures end-to-end checks failed; screenshots in $out"
    exit 1
fi
echo "all end-to-end checks of the options passed; screenshots in $out"
