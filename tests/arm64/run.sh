#!/usr/bin/env bash
# The arm64 build's checks beyond its suite (which scripts/arm64.sh runs under qemu-user): its
# zema-sim on every committed replay script byte for byte equal to the native one's, the clearing
# game to its expected last frame and frame for frame with the native zema-sim at a 720 x 720
# view, the Debian package's checks, the handheld zip's, and the game end to end under Xvfb on a
# 640 x 480 and a 720 x 720 screen (e2e.sh).
# Usage: run.sh ARM64_BUILD_DIR NATIVE_ZEMA_SIM VERSION (after scripts/arm64.sh)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(readlink -f "$1")"
nativeSim="$(readlink -f "$2")"
version="$3"
source "$root/tests/test_checks.sh"
needTools qemu-aarch64
sim() { qemu-aarch64 "$out/tools/zema-sim" "$@"; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "== the arm64 zema-sim against the native one on every replay script"
for script in "$root"/tests/replays/*.script; do
    name="$(basename "$script" .script)"
    options=$(sed -n '1s/^# options://p' "$script")
    # shellcheck disable=SC2086 # the options are words
    "$nativeSim" $options <"$script" >"$work/$name.native" 2>"$work/$name.native.err"
    nativeStatus=$?
    # shellcheck disable=SC2086
    sim $options <"$script" >"$work/$name.arm64" 2>"$work/$name.arm64.err"
    armStatus=$?
    [ "$nativeStatus" = "$armStatus" ] && cmp -s "$work/$name.native" "$work/$name.arm64" &&
        cmp -s "$work/$name.native.err" "$work/$name.arm64.err" &&
        pass "$name: $(wc -l <"$work/$name.arm64") records, the same bytes, status $armStatus" ||
        fail "$name: status $armStatus (native $nativeStatus): $(cmp "$work/$name.native" "$work/$name.arm64")"
done

echo "== the clearing game: to its expected last frame, and frame for frame at 720 x 720"
clear="$root/tests/replays/clear_game.script"
{ cat "$clear"; printf 'expect %s\n' "$("$nativeSim" <"$clear" | tail -n 1)"; } >"$work/clear.demo"
sim <"$work/clear.demo" >"$work/clear.out" 2>"$work/clear.err" &&
    pass "the clearing demo ends on its expected frame $(tail -n 1 "$work/clear.out" | cut -c1-14)" ||
    fail "the clearing demo: $(head -c 300 "$work/clear.err")"
# With the draws (the wobble seeded alike), and a picture drawn by each build's own pixel kernels.
"$nativeSim" --mode 720x720 --draws --seed 1 --shot 1200 "$work/1200.native.png" <"$clear" >"$work/clear720.native"
sim --mode 720x720 --draws --seed 1 --shot 1200 "$work/1200.arm64.png" <"$clear" >"$work/clear720.arm64"
differs="$(cmp "$work/clear720.native" "$work/clear720.arm64" | sed -n 's/.*, line //p')"
[ -z "$differs" ] && [ -s "$work/clear720.arm64" ] &&
    pass "at 720x720: $(wc -l <"$work/clear720.arm64") frames with their draws, each the native one's" ||
    fail "at 720x720 the records differ from frame ${differs:-1} on"
cmp -s "$work/1200.native.png" "$work/1200.arm64.png" && pass "at 720x720: frame 1200's picture, byte for byte" ||
    fail "at 720x720 frame 1200's picture differs from the native one's"

echo "== the Debian package"
bash "$root/tests/package/package.sh" "$out" "$version" arm64 || failures=$((failures + 1))

echo "== the handheld zip"
bash "$root/tests/package/port.sh" "$out/zema.zip" "$version" || failures=$((failures + 1))

echo "== the game end to end under Xvfb, through qemu-user"
for screen in 640x480 720x720; do
    bash "$root/tests/arm64/e2e.sh" "$out/src/app/zema" "$nativeSim" "$screen" "$out/e2e-pictures" ||
        failures=$((failures + 1))
done

[ "$failures" = 0 ] || { echo "$failures arm64 checks failed"; exit 1; }
echo "all arm64 checks passed"
