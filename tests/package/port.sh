#!/usr/bin/env bash
# The handheld zip in PortMaster's layout: its files; port.json naming the program's architecture
# and the newest glibc it needs, measured again here; a program with its own C++ runtime and the
# device's SDL2, which answers --version and reads the port's settings; a key map that passes every
# button through; and the launcher, run against a stand-in for PortMaster's control.txt, starting
# the game from the port's folder with its settings, key map and log there.
# Usage: port.sh ZIP VERSION
set -uo pipefail
zip="$(readlink -f "$1")"
version="$2"
source "$(dirname "$0")/../test_checks.sh"
needTools unzip python3 qemu-aarch64 aarch64-linux-gnu-readelf aarch64-linux-gnu-objdump
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
ports="$work/roms/ports" port="$work/roms/ports/zema"
mkdir -p "$ports"
unzip -q "$zip" -d "$ports" || { echo "FAIL: unzip $zip"; exit 1; }
program="$port/zema.aarch64"

for file in ZEMA.sh "ZEMA Setup.sh" zema/zema.aarch64 zema/zema-setup.aarch64 zema/zema.gptk \
    zema/conf/zema/zema.conf zema/LICENSE zema/README.md zema/screenshot.png zema/port.json zema/{bgm,clear,door,get,hit,over}.wav; do
    [ -s "$ports/$file" ] || fail "missing or empty: $file"
done
[ -x "$ports/ZEMA.sh" ] && [ -x "$program" ] && pass "the launcher ZEMA.sh and the program zema/zema.aarch64" ||
    fail "the launcher or the program is not executable"

attr() { python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["attr"][sys.argv[2]])' "$port/port.json" "$1"; }
glibc="$(aarch64-linux-gnu-objdump -T "$program" "$port/zema-setup.aarch64" | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' | sort -uV | tail -n1)"
[ "$(attr arch)" = "['aarch64']" ] && [ "$(attr min_glibc)" = "$glibc" ] && grep -qF "glibc $glibc or newer" "$port/README.md" &&
    pass "port.json names aarch64 and glibc $glibc, the newest the program needs, as the README does" ||
    fail "port.json: arch $(attr arch), min_glibc $(attr min_glibc); the program needs $glibc"
for each in "$program" "$port/zema-setup.aarch64"; do
    needed="$(aarch64-linux-gnu-readelf -d "$each" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')"
    grep -q 'libSDL2-2.0.so.0' <<<"$needed" && ! grep -qE 'libstdc\+\+|libgcc_s' <<<"$needed" &&
        pass "${each##*/} needs no libstdc++ or libgcc of the device's, and its SDL2: $needed" ||
        fail "${each##*/} needs $needed"
done
grep -qvx '[a-z0-9_]* = \\"' "$port/zema.gptk" && fail "zema.gptk maps a button to a key" ||
    pass "zema.gptk passes every button through"

[ "$(qemu-aarch64 "$program" --version)" = "zema $version" ] && pass "zema.aarch64 --version" ||
    fail "zema.aarch64 --version: $(qemu-aarch64 "$program" --version 2>&1 | head -c 200)"
settings="$(XDG_CONFIG_HOME="$port/conf" qemu-aarch64 "$program" --write-config 2>&1)"
grep -qx 'pad.quit = back+start' <<<"$settings" && grep -qx 'fullscreen = yes' <<<"$settings" &&
    pass "the port's settings are read: pad.quit = back+start, fullscreen" ||
    fail "the port's settings: $(head -c 300 <<<"$settings")"

# The launcher starts the program itself: where the kernel does not hand aarch64 programs to qemu
# (no binfmt_misc entry), a script in its place runs it through qemu.
if ! "$program" --version >/dev/null 2>&1; then
    ZEMA_EMULATOR=qemu-aarch64
    for each in "$program" "$port/zema-setup.aarch64"; do
        mv "$each" "$each.real" && mv "$(emulated "$each.real")" "$each"
    done
fi

mkdir -p "$work/share/PortMaster"
cat >"$work/share/PortMaster/control.txt" <<CONTROL
directory="${work#/}/roms"
DEVICE_ARCH=aarch64
sdl_controllerconfig="a pad layout"
GPTOKEYB="echo gptokeyb"
get_controls() { :; }
pm_finish() { echo finished >"$work/finished"; }
CONTROL
(cd / && HOME="$work" XDG_DATA_HOME="$work/share" bash "$ports/ZEMA.sh" --write-config) \
    >"$work/launcher.out" 2>&1
status=$?
# The log is written by a tee the launcher does not wait for.
waitUntil "grep -qx 'pad.quit = back+start' '$port/log.txt' 2>/dev/null" true 100
[ "$status" = 0 ] && grep -qx 'pad.quit = back+start' "$port/log.txt" &&
    grep -qxF "gptokeyb zema.aarch64 -c $port/zema.gptk" "$port/log.txt" && [ -e "$work/finished" ] &&
    pass "ZEMA.sh runs the game in the port's folder with its settings and key map, logged to log.txt" ||
    fail "ZEMA.sh: status $status; $(head -c 400 "$work/launcher.out")"
(cd / && HOME="$work" XDG_DATA_HOME="$work/share" bash "$ports/ZEMA Setup.sh" --version) \
    >"$work/launcher.out" 2>&1
status=$?
waitUntil "grep -qx 'zema-setup $version' '$port/log.txt' 2>/dev/null" true 100
[ "$status" = 0 ] && grep -qxF "gptokeyb zema-setup.aarch64 -c $port/zema.gptk" "$port/log.txt" &&
    grep -qx "zema-setup $version" "$port/log.txt" &&
    pass "\"ZEMA Setup.sh\" runs zema-setup the same way" ||
    fail "ZEMA Setup.sh: status $status; $(head -c 400 "$work/launcher.out")"

[ "$failures" = 0 ] || { echo "$failures port checks failed"; exit 1; }
echo "all port checks passed"
