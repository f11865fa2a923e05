#!/usr/bin/env bash
# Unpacks the Debian source package PACKAGE into DIR (replacing it), adding a deb-src entry to
# apt's lists first if the machine has none. Usage: debian_source.sh PACKAGE DIR (Debian 12, root).
set -euo pipefail
package="$1"
dir="$2"
# apt-get source needs a deb-src entry: a copy of the first entry of Debian's own list, in
# whichever of apt's two formats the machine has it.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list.d/ /etc/apt/sources.list; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        awk 'BEGIN { RS = ""; ORS = "\n\n" } NR == 1 { sub(/Types: deb/, "Types: deb-src"); print }' \
            /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/zema-deb-src.sources
    else
        grep -m1 '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            >/etc/apt/sources.list.d/zema-deb-src.list
    fi
    apt-get update
fi
download="$dir.download"
rm -rf "$dir" "$download"
mkdir -p "$download"
(cd "$download" && apt-get source -q --download-only "$package" &&
    dpkg-source -x --no-check ./*.dsc "$dir" >/dev/null)
rm -rf "$download"
