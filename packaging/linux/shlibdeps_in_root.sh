#!/usr/bin/env bash
# shlibdeps_in_root.sh ROOT PROGRAM: prints the Depends that dpkg-shlibdeps
# gives PROGRAM, run inside the Debian root ROOT of PROGRAM's architecture
# (under qemu-user), so that the libraries, their packages and their symbols
# files are that architecture's, as on a machine of its own. The arm64
# package's dependencies come from here (cmake/QuorlForeignDepends.cmake).
# Needs dpkg-dev in ROOT; runs as any user, in a user namespace of its own.
set -euo pipefail
root=$1
program=$2

work=$(mktemp -d "$root/tmp/quorl-shlibdeps-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/debian"
: >"$work/debian/control"
cp "$program" "$work/"
architecture=$(unshare --map-root-user chroot "$root" dpkg --print-architecture)
# Its warnings (the program is not in a package's build folder) only when it fails.
output=$(unshare --map-root-user chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin LC_ALL=C \
    DEB_BUILD_ARCH="$architecture" DEB_HOST_ARCH="$architecture" \
    /bin/sh -c 'cd "$1" && dpkg-shlibdeps -O -e "$2"' shlibdeps "/tmp/${work##*/}" \
    "${program##*/}" 2>"$work/errors") || { cat "$work/errors" >&2; exit 1; }
sed -n 's/^shlibs:Depends=//p' <<<"$output"
