#!/usr/bin/env bash
# qemu_arm64.sh --enable: registers Debian's qemu-user handler for arm64
# programs with binfmt_misc where it is not yet, so that an arm64 program
# started by any program (a test's own helpers, a chroot's shell) runs under
# qemu-user. Needs root.
# qemu_arm64.sh --probe: prints the qemu-user program for arm64 when arm64
# programs run here, or why they do not and exits 77 (ctest's skip code).
set -euo pipefail
readonly kSkip=77
readonly kHandler=/proc/sys/fs/binfmt_misc/qemu-aarch64

# Debian 12 names it qemu-aarch64-static; later releases' qemu-user is
# static itself and keeps that name as a link.
emulator() {
    local name
    for name in qemu-aarch64-static qemu-aarch64; do
        command -v "$name" && return 0
    done
    return 1
}

enable() {
    # Mounted first: in a chroot with a /proc of its own, the kernel's
    # handlers are there, but only once binfmt_misc is mounted again.
    mountpoint -q /proc/sys/fs/binfmt_misc ||
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    [ -e "$kHandler" ] && return 0
    # binfmt-support's registry where it is installed, else systemd's.
    if command -v update-binfmts >/dev/null && [ -e /usr/share/binfmts/qemu-aarch64 ]; then
        update-binfmts --enable qemu-aarch64
    else
        grep -h '^:qemu-aarch64:' /usr/lib/binfmt.d/qemu-aarch64.conf >/proc/sys/fs/binfmt_misc/register
    fi
    [ -e "$kHandler" ] || { echo "No binfmt_misc handler for arm64 after registering it" >&2; exit 1; }
}

probe() {
    local program
    program=$(emulator) || { echo "No qemu-user for arm64: needs qemu-user-static"; exit $kSkip; }
    grep -qx enabled "$kHandler" 2>/dev/null ||
        { echo "arm64 programs have no binfmt_misc handler: run $0 --enable as root"; exit $kSkip; }
    echo "$program"
}

case "${1:-}" in
--enable) enable ;;
--probe) probe ;;
*)
    echo "usage: $0 --enable | --probe" >&2
    exit 2
    ;;
esac
