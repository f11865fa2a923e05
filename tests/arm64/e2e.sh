#!/usr/bin/env bash
# The arm64 game end to end through qemu-user, fullscreen on a handheld's screen under Xvfb with
# openbox: the title pixel for pixel as the native zema-sim draws it at the screen's size, Enter
# starting a game, the arrows moving the view, Esc ending it with status 0 and no frame after.
# Every wait is for the window or a frame, bounded, and ends when the game does.
# Usage: e2e.sh ARM64_GAME NATIVE_ZEMA_SIM WxH OUTPUT_DIR (ARM64_GAME's folder holds the sounds)
set -uo pipefail
game="$(readlink -f "$1")" sim="$(readlink -f "$2")" size="$3" out="$4"
IFS=x read -r width height <<<"$size"
gameDir="$(dirname "$game")"
mkdir -p "$out" && out="$(readlink -f "$out")"
source "$(dirname "$0")/../support/x_session.sh"
needTools qemu-aarch64
game="$(ZEMA_EMULATOR=qemu-aarch64 emulated "$game")"

# The screen while the game holds, once it has shown frame N (0: at once), as OUTPUT_DIR/NAME.png.
shot() { heldShot "$out/$1-$size.png" root "${2:-0}" || fail "no picture $1"; }
differing() { compare -metric AE "$out/$1-$size.png" "$out/$2-$size.png" null: 2>&1 | cut -d' ' -f1; }

printf 'frame\n' | "$sim" --mode "$size" --shot 1 "$out/sim-title-$size.png" >/dev/null ||
    fail "zema-sim wrote no title picture"
newFrameReport
(cd "$gameDir" && exec timeout -k 5 300 "$game") >"$work/game.out" 2>"$work/game.err" &
gamePid=$!
if waitForGameWindow --onlyvisible && waitSize "$size"; then
    focusGameWindow
    shot title
    d="$(differing sim-title title)"
    [ "$d" = 0 ] && pass "$size: the title equals zema-sim's pixel for pixel" ||
        fail "$size: the title differs from zema-sim's in '$d' pixels (see $out)"
    xdotool key Return
    shot play $(($(lastFrame) + 2))
    d="$(differing title play)"
    [ "$d" -gt 100000 ] 2>/dev/null && pass "$size: Enter started a game ($d pixels changed)" ||
        fail "$size: Enter changed '$d' pixels"
    holdKey Right 2
    holdKey Down 2
    shot arrows $(($(lastFrame) + 1))
    d="$(differing play arrows)"
    [ "$d" -gt 10000 ] 2>/dev/null && pass "$size: the arrows moved the view ($d pixels changed)" ||
        fail "$size: the arrows changed '$d' pixels"
    escEndsGame "$size: "
else
    fail "$size: no fullscreen ZEMA window: $(head -c 300 "$work/game.err")"
fi
[ "$failures" = 0 ] || { echo "$failures arm64 end-to-end checks failed; pictures in $out"; exit 1; }
echo "all arm64 end-to-end checks at $size passed; pictures in $out"
