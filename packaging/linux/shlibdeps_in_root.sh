#!/usr/bin/env bash
# shlibdeps_in_root.sh ROOT PROGRAM: prints the Depends that dpkg-shlibdeps
# gives PROGRAM, run inside the Debian root ROOT of PROGRAM's architecture
# (under qemu-user), so that the libraries, their packages and their symbols
# files are that architecture's, as on a machine of its own. The arm64
# package's dependencies come from here (cmake/QuorlForeignDepends.cmake).
# Needs dpkg-dev in ROOT; runs as any user, in a user namespace of its own
# where it is not root (root inside a chroot, as in scripts/in-debian.sh, may
# not make one).
set -euo pipefail
root=$1
program=$2

in_root() {
    if [ "$(id -u)" -eq 0 ]; then
        chroot "$root" "$@"
    else
        unshare --map-root-user chroot "$root" "$@"
    fi
}

work=$(mktemp -d "$root/tmp/quorl-shlibdeps-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/debian"
: >"$work/debian/control"
cp "$program" "$work/"
architecture=$(in_root dpkg --print-architecture)
# Its warnings (the program is not in a package's build folder) only when it fails.
output=$(in_root /usr/bin/env -i PATH=/usr/bin:/bin LC_ALL=C \
    DEB_BUILD_ARCH="$architecture" DEB_HOST_ARCH="$architecture" \
    /bin/sh -c 'cd "$1" && dpkg-shlibdeps -O -e "$2"' shlibdeps "/tmp/${work##*/}" \
    "${program##*/}" 2>"$work/errors") || { cat "$work/errors" >&2; exit 1; }
sed -n 's/^shlibs:Depends=//p' <<<"$output"
