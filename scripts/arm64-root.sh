#!/usr/bin/env bash
# arm64-root.sh: makes, once, the arm64 Debian root of this machine's own
# release and prints its path. The arm64 build compiles and links against it
# (cmake/toolchain-linux-arm64.cmake), its tests run with its libraries under
# qemu-user, and the arm64 package gets its dependencies there and is
# installed and opened in a throwaway layer over it (packaging/linux/). It
# is kept in QUORL_DEBIAN_ROOTS (default /var/cache/quorl/debian) as
# <codename>-arm64; the packages it holds are QUORL_ARM64_ROOT_PACKAGES,
# installed again when that list changes. Needs root; the arm64 programs run through binfmt_misc.
# When the registry's arm64 index or packages cannot be had, prints why
# instead and exits 77.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/packages.sh
source "$here/packages.sh"
# shellcheck source=scripts/debian_root.sh
source "$here/debian_root.sh"
readonly kSkip=77

[ "$(id -u)" -eq 0 ] || {
    echo "$0 needs root, for debootstrap, chroot and mounts." >&2
    exit 1
}
# Without a handler (binfmt_misc not there, or not ours to change) no arm64
# program runs here: a reason to skip, as a missing index is.
if ! handler=$("$here/qemu_arm64.sh" --enable 2>&1); then
    echo "arm64 programs cannot run here: $handler"
    exit $kSkip
fi
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
root=${QUORL_DEBIAN_ROOTS:-/var/cache/quorl/debian}/$codename-arm64
stamp=$root/var/lib/quorl-root-packages

if [ ! -d "$root/etc/apt" ]; then
    echo "== Making the arm64 Debian $codename root in $root (once, some minutes)" >&2
    log=$(mktemp)
    if ! make_debian_root "$codename" arm64 "$root" >"$log" 2>&1; then
        echo "The arm64 Debian $codename root could not be made. debootstrap said:"
        grep -E '^(E|W):' "$log" | tail -n 5 || tail -n 5 "$log"
        rm -f "$log"
        exit $kSkip
    fi
    rm -f "$log"
fi

wanted=$(printf '%s\n' "${QUORL_ARM64_ROOT_PACKAGES[@]}")
if [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
    echo "== Installing into the arm64 root: ${QUORL_ARM64_ROOT_PACKAGES[*]}" >&2
    if ! output=$(in_debian_root "$root" / bash -c 'apt-get update -q &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" &&
        apt-get clean' arm64-root "${QUORL_ARM64_ROOT_PACKAGES[@]}" 2>&1); then
        echo "The arm64 packages could not be installed in $root: $(apt_reason "$output")"
        exit $kSkip
    fi
    printf '%s\n' "$wanted" >"$stamp"
fi

# The cross linker follows the root's links from this machine, where an
# absolute one (libcap.so -> /lib/aarch64-linux-gnu/libcap.so.2) points out
# of the root: CMake would then find only the static library. Each such link
# is made relative, to the same file.
while IFS= read -r -d '' link; do
    target=$(readlink "$link")
    ln -sfn "$(realpath -m --relative-to="${link%/*}" "$root$target")" "$link"
done < <(find "$root/usr/lib" -lname '/*' -print0)
echo "$root"
