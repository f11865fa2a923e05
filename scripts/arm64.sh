#!/usr/bin/env bash
# Cross-builds ZEMA for 64-bit ARM Linux (Raspberry Pi OS 12, Debian 12 arm64, handhelds) into
# build-arm64/ with Debian's aarch64 cross compilers (cmake/aarch64-linux-gnu.cmake) and the
# hardening Debian gives its arm64 packages, runs the suite under qemu-user, and makes the Debian
# package build-arm64/zema_VERSION_arm64.deb and the handheld port build-arm64/zema.zip
# (PortMaster's layout). Usage: arm64.sh (Debian 12, as root).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-arm64"
bash "$root/scripts/install-deps.sh" arm64

# Once binfmt_misc knows qemu-aarch64, the kernel hands it aarch64 programs, so the build's run as
# any other (build-arm64/src/app/zema). The tests need none of it: they run every program
# through the emulator themselves, as they must where it cannot be mounted or registered.
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/qemu-aarch64" ]; then
    { [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"; } 2>/dev/null &&
        echo ':qemu-aarch64:M::\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xb7\x00:\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-aarch64:' \
            >"$binfmt/register" 2>/dev/null ||
        echo "note: qemu-aarch64 could not be registered with binfmt_misc; the tests use the emulator directly"
fi

# Debian's flags for arm64 (for the compiler named); the rest of the build's flags are
# CMakePresets.json's "arm64".
source "$root/scripts/debian_flags.sh"
debianCMakeFlags arm64 aarch64-linux-gnu-gcc
cd "$root"
cmake --preset arm64 "${debianFlags[@]}"
cmake --build --preset arm64 -j"$(nproc)"

echo "== the suite under qemu-user"
ctest --preset arm64 -j"$(nproc)"

echo "== the Debian package"
(cd "$out" && cpack -G DEB)
ls -l "$out"/zema_*_arm64.deb "$out/zema.zip"
