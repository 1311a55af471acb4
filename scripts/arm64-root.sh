#!/usr/bin/env bash
# arm64-root.sh [--sysroot] [--path | --wait]: the two arm64 Debian roots of
# this machine's own release, each made once, kept in QUORL_DEBIAN_ROOTS
# (default /var/cache/quorl/debian) and made again when its package list
# changes. Prints the root's path.
#   --sysroot  <codename>-arm64-sysroot: QUORL_ARM64_SYSROOT_PACKAGES and
#              what they need, unpacked on this machine (mmdebstrap, under a
#              minute) and never run as a system. The arm64 build compiles
#              and links against it (cmake/toolchain-linux-arm64.cmake) and
#              its tests run with its loader and libraries under qemu-user.
#   (neither)  <codename>-arm64: a whole arm64 Debian system, made with
#              debootstrap and apt running under qemu-user (many minutes),
#              holding QUORL_ARM64_ROOT_PACKAGES. The arm64 package gets its
#              dependencies there and is installed and opened in a throwaway
#              layer over it (packaging/linux/).
# Whoever makes a root holds <root>.lock meanwhile: another caller waits.
# --path prints the path only, making nothing. --wait makes nothing either:
# it waits for whoever is making the root and prints its path, or exits 77
# saying how to make it. Needs root, but for --path; the arm64 programs run
# through binfmt_misc. When the registry's arm64 index or packages cannot be
# had, prints why instead and exits 77.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/packages.sh
source "$here/packages.sh"
# shellcheck source=scripts/debian_root.sh
source "$here/debian_root.sh"
readonly kSkip=77

kind=system
action="make"
declare -A option_of_kind=([system]="" [sysroot]=" --sysroot")
declare -A name_of_kind=([system]="root (once, many minutes)" [sysroot]="sysroot (once, a minute)")
for option in "$@"; do
    case $option in
    --sysroot) kind=sysroot ;;
    --path) action="path" ;;
    --wait) action="wait" ;;
    *)
        echo "usage: $0 [--sysroot] [--path | --wait]" >&2
        exit 2
        ;;
    esac
done
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
root=${QUORL_DEBIAN_ROOTS:-/var/cache/quorl/debian}/$codename-arm64
if [ "$kind" = sysroot ]; then
    root=$root-sysroot
    wanted=$(printf '%s\n' "${QUORL_ARM64_SYSROOT_PACKAGES[@]}")
else
    wanted=$(printf '%s\n' "${QUORL_ARM64_ROOT_PACKAGES[@]}")
fi
stamp=$root/var/lib/quorl-root-packages
if [ "$action" = path ]; then
    echo "$root"
    exit 0
fi

[ "$(id -u)" -eq 0 ] || {
    echo "$0 needs root, for debootstrap, chroot and mounts." >&2
    exit 1
}
mkdir -p "${root%/*}"
exec {lock}>"$root.lock"
if [ "$action" = wait ]; then
    flock "$lock"
    if [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
        echo "No arm64 root in $root: make it with sudo $0${option_of_kind[$kind]}"
        exit $kSkip
    fi
    echo "$root"
    exit 0
fi
flock "$lock"

# Without a handler (binfmt_misc not there, or not ours to change) no arm64
# program runs here: a reason to skip, as a missing index is.
if ! handler=$("$here/qemu_arm64.sh" --enable 2>&1); then
    echo "arm64 programs cannot run here: $handler"
    exit $kSkip
fi

# make_sysroot: unpacks the packages and their dependencies into ROOT.draft
# without running any of them, gives the loader its cache, and moves the
# draft to ROOT when whole.
make_sysroot() {
    local draft=$root.draft sources link target
    sources=$(mktemp --suffix=.sources)
    debian_sources "$codename" >"$sources"
    rm -rf "$draft" "$root"
    # Debian's /bin, /lib and /sbin are links into /usr, made before the
    # packages are unpacked (Debian 12's still hold files there), as
    # debootstrap makes them; the extract variant makes none.
    # shellcheck disable=SC2016
    mmdebstrap --variant=extract --mode=root --architectures=arm64 \
        --setup-hook='for d in bin lib sbin; do mkdir -p "$1/usr/$d" && ln -s "usr/$d" "$1/$d"; done' \
        --include="$(paste -sd , <<<"$wanted")" "$codename" "$draft" "$sources" ||
        { rm -f "$sources"; return 1; }
    rm -f "$sources"
    chroot "$draft" /sbin/ldconfig || return 1
    # The cross linker follows the sysroot's links from this machine, where
    # an absolute one (libcap.so -> /lib/aarch64-linux-gnu/libcap.so.2)
    # points out of it: CMake would then find only the static library. Each
    # such link is made relative, to the same file.
    while IFS= read -r -d '' link; do
        target=$(readlink "$link")
        ln -sfn "$(realpath -m --relative-to="${link%/*}" "$draft$target")" "$link"
    done < <(find "$draft/usr/lib" -lname '/*' -print0)
    printf '%s\n' "$wanted" >"$draft/${stamp#"$root"/}"
    mv -T "$draft" "$root"
}

# make_system: debootstrap's minimal system, then the packages.
make_system() {
    if [ ! -d "$root/etc/apt" ]; then
        make_debian_root "$codename" arm64 "$root" || return 1
    fi
    in_debian_root "$root" / bash -c 'apt-get update -q &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" &&
        apt-get clean' arm64-root "${QUORL_ARM64_ROOT_PACKAGES[@]}" || return 1
    printf '%s\n' "$wanted" >"$stamp"
}

if [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    echo "== Making the arm64 Debian $codename ${name_of_kind[$kind]} in $root" >&2
    if ! "make_$kind" >"$log" 2>&1; then
        reason=$(apt_reason "$(cat "$log")") || true
        echo "The arm64 ${name_of_kind[$kind]%% *} could not be made in $root: ${reason:-$(tail -n 3 "$log" | paste -sd ' ')}"
        exit $kSkip
    fi
fi
echo "$root"
