#!/usr/bin/env bash
# The Debian package: made by cpack from the build folder into a scratch folder, checked by
# lintian, hardening-check and the desktop and AppStream validators, unpacked with dpkg -x into a
# scratch root (never installed on the machine) and run from there. scripts/test.sh runs it on the
# folder scripts/package.sh builds, the one the package is made from, and on scripts/arm64.sh's,
# whose package's programs run under qemu-user.
# Usage: package.sh BUILD_DIR VERSION [ARCHITECTURE] (Debian's name; default this machine's)
set -uo pipefail

build="$(readlink -f "$1")"
version="$2"
arch="${3:-$(dpkg --print-architecture)}"

# shellcheck source=tests/test_checks.sh
source "$(dirname "$0")/../test_checks.sh"
skipWithout dpkg-deb lintian
needTools cpack dpkg-shlibdeps desktop-file-validate appstreamcli hardening-check

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

if ! (cd "$build" && cpack -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
    echo "FAIL: cpack could not make the package:"
    tail -n 20 "$scratch/cpack.log"
    exit 1
fi
deb="$(find "$scratch/out" -maxdepth 1 -name 'zema_*.deb' | head -n1)"
[ -n "$deb" ] || { echo "FAIL: no zema_*.deb in $scratch/out"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- the control data -----------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zema ] && [ "$(field Version)" = "$version" ] &&
    [ "$(field Section)" = games ] && [ "$(field Architecture)" = "$arch" ] &&
    [ "$(basename "$deb")" = "zema_${version}_$arch.deb" ] &&
    pass "package zema $version for $arch in section games" ||
    fail "control: $(field Package) $(field Version) $(field Architecture) $(field Section)"
depends="$(field Depends)"
# dpkg-shlibdeps names SDL's library package with the version the program needs.
echo "$depends" | grep -q 'libsdl2-2.0-0 (>= ' && echo "$depends" | grep -q 'libc6 (>= ' &&
    pass "dependencies from dpkg-shlibdeps: $depends" || fail "dependencies: '$depends'"

# --- lintian: no errors; what it says beyond that is shown ----------------------------------
if lintian --fail-on error --display-info --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1; then
    pass "lintian reports no errors"
else
    fail "lintian:"
fi
grep -v 'root privileges' "$scratch/lintian.log"
grep -q 'hardening-' "$scratch/lintian.log" && fail "lintian notes missing hardening"

# --- the files, where the paths for games put them ------------------------------------------
root="$scratch/root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
appId="$(basename "$(find "$root/usr/share/metainfo" -name '*.metainfo.xml' | head -n1)" .metainfo.xml)"
for file in usr/games/zema usr/lib/games/zema/zema usr/share/man/man6/zema.6.gz \
    usr/games/zema-setup usr/share/man/man6/zema-setup.6.gz "usr/share/applications/$appId.setup.desktop" \
    usr/share/doc/zema/copyright usr/share/doc/zema/changelog.gz \
    "usr/share/applications/$appId.desktop" "usr/share/metainfo/$appId.metainfo.xml" \
    "usr/share/icons/hicolor/64x64/apps/$appId.png" \
    usr/share/games/zema/{bgm,clear,door,get,hit,over}.wav; do
    [ -s "$root/$file" ] || fail "missing or empty: /$file"
done
[ -x "$root/usr/games/zema" ] && [ -x "$root/usr/lib/games/zema/zema" ] &&
    pass "launcher /usr/games/zema and program /usr/lib/games/zema/zema" ||
    fail "launcher or program not executable"
[ "$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$appId.desktop")" = /usr/games/zema ] &&
    pass "the desktop entry $appId.desktop runs /usr/games/zema" || fail "desktop entry's Exec"
setupEntry="$root/usr/share/applications/$appId.setup.desktop"
[ "$(sed -n 's/^Exec=//p' "$setupEntry")" = /usr/games/zema-setup ] && grep -qx 'Name=ZEMA Setup' "$setupEntry" &&
    pass "the desktop entry \"ZEMA Setup\" runs /usr/games/zema-setup" || fail "the setup's desktop entry"

# Debian's hardening: PIE, the stack protector, _FORTIFY_SOURCE, read-only relocations, bound now.
# Not control-flow protection: Debian 12's C library start files carry no CET mark, so no program
# linked there has it, whatever it is compiled with.
# For another architecture's program (arm64) this machine's objdump cannot disassemble it, so the
# stack-clash check says "unknown", which hardening-check lets pass.
for program in usr/lib/games/zema/zema usr/games/zema-setup; do
    hardening-check --nocfprotection "$root/$program" && pass "hardening-check on /$program" ||
        fail "hardening-check on /$program"
done

# Another architecture's programs run under qemu-user, the game started by the launcher as usual.
if [ "$arch" != "$(dpkg --print-architecture)" ]; then
    ZEMA_EMULATOR="qemu-$(dpkg-architecture -a"$arch" -qDEB_HOST_GNU_CPU 2>/dev/null)"
    for program in "$root/usr/lib/games/zema/zema" "$root/usr/games/zema-setup"; do
        mv "$program" "$program.real" && mv "$(emulated "$program.real")" "$program"
    done
fi

# --- the validators -------------------------------------------------------------------------
desktop-file-validate "$root/usr/share/applications/$appId.desktop" "$setupEntry" &&
    pass "desktop-file-validate, both entries" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$appId.metainfo.xml" &&
    pass "appstreamcli validate --no-net" || fail "appstreamcli validate"
grep -q "<id>$appId</id>" "$root/usr/share/metainfo/$appId.metainfo.xml" &&
    grep -q "<launchable type=\"desktop-id\">$appId.desktop</launchable>" \
        "$root/usr/share/metainfo/$appId.metainfo.xml" &&
    pass "metainfo id $appId launches $appId.desktop" || fail "metainfo id or launchable"

# The manual page names every option the installed zema --help lists, the keys and the exit
# statuses.
manText="$(zcat "$root/usr/share/man/man6/zema.6.gz")"
options="$(timeout -k 5 30 "$root/usr/games/zema" --help | grep -o -- '--[a-z][a-z.-]*' | sort -u)"
[ -n "$options" ] || fail "the installed zema --help lists no options"
for word in ${options//-/\\-} 'Alt+Enter' 'F12' 'EXIT STATUS' '255' "/usr/share/games/zema/"; do
    grep -qF -- "$word" <<<"$manText" || fail "manual page lacks $word"
done

# --- the installed program runs -------------------------------------------------------------
shown="$(timeout -k 5 30 "$root/usr/games/zema" --version)"
status=$?
[ "$status" = 0 ] && [ "$shown" = "zema $version" ] && pass "installed zema --version: $shown" ||
    fail "installed zema --version: status $status, '$shown'"
timeout -k 5 30 "$root/usr/games/zema" --help | grep -q -- '--nosound' &&
    pass "installed zema --help" || fail "installed zema --help"
shown="$(timeout -k 5 30 "$root/usr/games/zema-setup" --version)"
[ "$shown" = "zema-setup $version" ] && pass "installed zema-setup --version: $shown" ||
    fail "installed zema-setup --version: '$shown'"
# The launcher finds the sounds from wherever it is started: once it has shown a frame (its frame
# report says so), SIGTERM quits it with status 0.
export ZEMA_FRAME_REPORT="$scratch/frames"
(cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SDL_VIDEO_DUMMY_SAVE_FRAMES=1 \
    exec timeout -k 5 --preserve-status 120 "$root/usr/games/zema") >"$scratch/run.out" 2>&1 &
game=$!
waitUntil '[ -s "$ZEMA_FRAME_REPORT" ]' 'kill -0 "$game" 2>/dev/null' && kill -TERM "$game"
wait "$game"
status=$?
frames="$(find "$root/usr/share/games/zema" -name '*.bmp' | wc -l)"
[ "$status" = 0 ] && [ "$frames" -gt 0 ] && pass "the unpacked game ran: $frames frames, status 0" ||
    fail "the unpacked game: status $status, $frames frames; $(head -c 300 "$scratch/run.out")"

if [ "$failures" -gt 0 ]; then
    echo "$failures package checks failed"
    exit 1
fi
echo "all package checks passed"
