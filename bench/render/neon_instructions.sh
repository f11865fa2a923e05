#!/usr/bin/env bash
# The instructions a 1920 x 1080 play frame takes on the NEON row kernels against the portable
# ones, at the start place and at the guardian, counted by qemu-user's instruction-counting plugin
# (qemu's own tests/plugin/insn.c, built once from Debian's qemu source into BUILD/qemu-insn).
# That is the work, not the time: qemu's clock says nothing of a real processor's. Each count is
# two runs of frame_instructions, with 2 and 12 frames, so that start-up and the first frame's
# tables cancel out. Usage: neon_instructions.sh [BUILD] (an aarch64 build, build-arm64 by
# default; Debian 12 as root, for the packages and the source).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(readlink -f "${1:-$root/build-arm64}")"
program="$build/bench/render/frame_instructions"
plugin="$build/qemu-insn/libinsn.so"
if [ ! -x "$program" ]; then
    echo "neon_instructions: no $program; cross-build first (cmake/aarch64-linux-gnu.cmake)" >&2
    exit 1
fi

if [ ! -f "$plugin" ]; then
    missing=()
    for p in qemu-user gcc pkg-config libglib2.0-dev dpkg-dev; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends "${missing[@]}"
    fi
    # dpkg-source leaves the upstream tarball beside the folder it unpacks into.
    source="$build/qemu-insn/source/qemu"
    bash "$root/scripts/debian_source.sh" qemu "$source"
    # shellcheck disable=SC2046 # glib's flags are words
    gcc -shared -fPIC -O2 -I"$source/include/qemu" $(pkg-config --cflags glib-2.0) \
        "$source/tests/plugin/insn.c" -o "$plugin" $(pkg-config --libs glib-2.0)
    rm -rf "$build/qemu-insn/source"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# "instructions checksum" of one run: PATH FRAMES PLACE.
run() {
    qemu-aarch64 -plugin "$plugin,inline=on" -d plugin -D "$work/log" \
        "$program" "$1" "$2" "$3" >"$work/out"
    echo "$(awk '/^insns:/ { print $2 }' "$work/log") $(cat "$work/out")"
}

# "instructions checksum" of one frame on PATH at PLACE.
perFrame() {
    local few many
    read -r -a few <<<"$(run "$1" 2 "$2")"
    read -r -a many <<<"$(run "$1" 12 "$2")"
    if [ -z "${few[1]:-}" ] || [ -z "${many[1]:-}" ]; then
        echo "neon_instructions: frame_instructions $1 failed under qemu" >&2
        exit 1
    fi
    echo "$(((many[0] - few[0]) / 10)) ${many[1]}"
}

for place in start guardian; do
    read -r -a portable <<<"$(perFrame portable "$place")"
    read -r -a neon <<<"$(perFrame neon "$place")"
    [ -n "${portable[1]:-}" ] && [ -n "${neon[1]:-}" ] || exit 1 # said why above
    if [ "${neon[1]}" != "${portable[1]}" ]; then
        echo "neon_instructions: NEON drew another picture than the portable kernels" >&2
        exit 1
    fi
    awk -v place="$place" -v p="${portable[0]}" -v n="${neon[0]}" 'BEGIN {
        printf "a play frame at the %s: portable %d instructions, neon %d: %.2f\n",
            place == "start" ? "start place" : place, p, n, n / p }'
done
