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
#   (neither)  <codename>-arm64: a whole arm64 Debian system holding
#              QUORL_ARM64_ROOT_PACKAGES, installed by mmdebstrap with dpkg
#              running under qemu-user (some minutes). The arm64 package gets its
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
declare -A name_of_kind=([system]="root (once, some minutes)" [sysroot]="sysroot (once, a minute)")
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
    echo "$0 needs root, for mmdebstrap, chroot and mounts." >&2
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

# bootstrap MMDEBSTRAP_OPTIONS...: the wanted packages and what they need,
# from this release's archive, in a new ROOT.draft. apt resolves and fetches
# them on this machine.
bootstrap() {
    local sources status=0
    sources=$(mktemp --suffix=.sources)
    debian_sources "$codename" >"$sources"
    rm -rf "$root.draft" "$root"
    mmdebstrap --mode=root --architectures=arm64 "$@" \
        --include="$(paste -sd , <<<"$wanted")" "$codename" "$root.draft" "$sources" || status=$?
    rm -f "$sources"
    return $status
}

# make_sysroot: unpacks the packages without running any of them, gives the
# loader its cache, and moves the draft to ROOT when whole.
make_sysroot() {
    local draft=$root.draft link target
    # Debian's /bin, /lib and /sbin are links into /usr, made before the
    # packages are unpacked (Debian 12's still hold files there), as
    # debootstrap makes them; the extract variant makes none.
    # shellcheck disable=SC2016
    bootstrap --variant=extract \
        --setup-hook='for d in bin lib sbin; do mkdir -p "$1/usr/$d" && ln -s "usr/$d" "$1/$d"; done' ||
        return 1
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

# make_system: Debian's essential packages, apt and the wanted packages,
# installed. Only dpkg and the packages' own scripts run under qemu-user;
# apt runs natively. Nothing in the root is worth an fsync: a root cut short
# is made again.
make_system() {
    local draft=$root.draft
    bootstrap --variant=apt --dpkgopt=force-unsafe-io || return 1
    settle_debian_root "$codename" "$draft"
    printf '%s\n' "$wanted" >"$draft/${stamp#"$root"/}"
    mv -T "$draft" "$root"
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
