#!/usr/bin/env bash
# in-x86-vm.sh --share BUILD_FOLDER --timeout SECONDS COMMAND...: runs a
# command inside a small emulated x86-64 machine that boots Debian's kernel
# with this machine's own file system as its root (over 9p), and returns the
# command's exit code.
#
# For hosts that cannot execute 32-bit x86 code themselves (some hypervisors
# turn it off), so that Wine can still run the Windows programs: the emulated
# CPU runs them, slowly. Needs qemu-system-x86, linux-image-amd64 and
# busybox-static.
#
# The guest sees the host's root read-only, BUILD_FOLDER writable (it holds
# the Wine prefixes), fresh tmpfs for /tmp, /run, /var/tmp and HOME, and the
# loopback network only. The machine has SECONDS in all, to boot, run the
# command and power off; the command gets what the boot leaves of them, and
# finds that number in QUORL_X86_VM_SECONDS_LEFT. What this script writes
# lives in BUILD_FOLDER/x86-vm.
#
#   in-x86-vm.sh --check   exits 0 when all of that is installed, else says
#                          what is missing and exits 77 (ctest's skip code).
#
# QUORL_X86_VM_BOOT names another folder to look for kernels in (for tests).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
readonly kSkip=77

usage() {
    echo "usage: $0 --check | --share BUILD_FOLDER --timeout SECONDS COMMAND..." >&2
    exit 2
}

# The newest kernel image in BOOT, or nothing when there is none.
newest_kernel() {
    local boot=$1
    local kernels=()
    shopt -s nullglob
    kernels=("$boot"/vmlinuz-*)
    shopt -u nullglob
    [ ${#kernels[@]} -gt 0 ] || return 0
    printf '%s\n' "${kernels[@]}" | sort -V | tail -n 1
}

# Prints the Debian packages the machine needs and this host lacks.
missing_packages() {
    local kernel=$1 missing=
    if [ -z "$kernel" ] || [ ! -d "/lib/modules/${kernel##*/vmlinuz-}" ]; then
        missing+=" linux-image-amd64"
    fi
    command -v qemu-system-x86_64 >/dev/null || missing+=" qemu-system-x86"
    [ -x /bin/busybox ] || missing+=" busybox-static"
    command -v cpio >/dev/null || missing+=" cpio"
    command -v modprobe >/dev/null || missing+=" kmod"
    echo "$missing"
}

# The first stage, in an initramfs: load the 9p modules, mount the host's
# root read-only and hand over to the second stage on it.
make_initramfs() {
    local release=$1 work=$2 module
    local initramfs=$work/initramfs
    mkdir -p "$initramfs"/{bin,dev,proc,newroot,modules}
    cp /bin/busybox "$initramfs/bin/busybox"
    # Drivers built into the kernel (Debian 13's has virtio_pci) show as
    # "builtin NAME" and need no loading; modules as "insmod PATH".
    for module in virtio_pci 9pnet_virtio 9p; do
        modprobe -S "$release" --show-depends "$module" | awk '$1 == "insmod" {print $2}'
    done | awk '!seen[$0]++' >"$work/modules.txt"
    while read -r module; do
        cp "$module" "$initramfs/modules/"
    done <"$work/modules.txt"
    {
        echo '#!/bin/busybox sh'
        echo '/bin/busybox mount -t proc proc /proc'
        echo '/bin/busybox mount -t devtmpfs dev /dev'
        while read -r module; do
            echo "/bin/busybox insmod /modules/$(basename "$module")"
        done <"$work/modules.txt"
        echo '/bin/busybox mount -t 9p -o ro,trans=virtio,version=9p2000.L,msize=512000,cache=loose hostroot /newroot'
        echo '/bin/busybox umount /proc'
        printf 'exec /bin/busybox switch_root /newroot %q %q\n' \
            "$here/x86-vm-stage2.sh" "$work/settings"
    } >"$initramfs/init"
    chmod +x "$initramfs/init"
    (cd "$initramfs" && find . | cpio --quiet -o -H newc | gzip -1) >"$work/initramfs.gz"
}

# The second stage's inputs, as shell assignments it sources.
write_settings() {
    local work=$1 build=$2 limit=$3
    shift 3
    {
        printf 'work=%q\n' "$work"
        printf 'build=%q\n' "$build"
        printf 'repository=%q\n' "$(cd "$here/.." && pwd)"
        printf 'directory=%q\n' "$PWD"
        printf 'limit=%q\n' "$limit"
        printf 'command=('
        printf '%q ' "$@"
        printf ')\n'
    } >"$work/settings"
}

# An emulated CPU on a busy host ticks unevenly; without no_timer_check the
# kernel may take the timer for broken and panic while booting.
run_machine() {
    local kernel=$1 work=$2 build=$3 limit=$4
    timeout --kill-after=10 "$limit" \
        qemu-system-x86_64 -machine q35 -cpu max,smap=off,pku=off -smp "$(nproc)" -m 4G \
        -accel tcg,thread=multi -kernel "$kernel" -initrd "$work/initramfs.gz" \
        -append "console=ttyS0 quiet rdinit=/init panic=-1 no_timer_check" \
        -virtfs local,path=/,mount_tag=hostroot,security_model=passthrough,multidevs=remap,readonly=on \
        -virtfs local,path="$build",mount_tag=build,security_model=passthrough,multidevs=remap \
        -nic none -nographic -no-reboot -serial "file:$work/console" -monitor none >/dev/null
}

kernel=$(newest_kernel "${QUORL_X86_VM_BOOT:-/boot}")
missing=$(missing_packages "$kernel")
if [ -n "$missing" ]; then
    echo "needs:$missing"
    exit $kSkip
fi
[ "${1:-}" = --check ] && exit 0

build='' limit=''
while [ $# -gt 0 ]; do
    case "$1" in
    --share) build=$(cd "${2:?}" && pwd) && shift 2 ;;
    --timeout) limit=${2:?} && shift 2 ;;
    *) break ;;
    esac
done
if [ -z "$build" ] || [ -z "$limit" ] || [ $# -lt 1 ]; then
    usage
fi

mkdir -p "$build/x86-vm"
work=$(mktemp -d "$build/x86-vm/run.XXXXXX")
trap 'rm -rf "$work"' EXIT
make_initramfs "${kernel##*/vmlinuz-}" "$work"
write_settings "$work" "$build" "$limit" "$@"

machine_status=0
run_machine "$kernel" "$work" "$build" "$limit" || machine_status=$?
cp "$work/console" "$build/x86-vm/last-console.txt" 2>/dev/null || true
cat "$work/output" 2>/dev/null || true
if [ ! -f "$work/status" ]; then
    if [ "$machine_status" -eq 124 ]; then
        echo "the emulated machine did not power off within $limit s; its console:" >&2
    else
        echo "the emulated machine stopped before the command finished; its console:" >&2
    fi
    # What the machine's programs said, and the kernel's panic, without its
    # call trace.
    awk '!/^\[[ 0-9.]*\] / || /Kernel panic/' "$work/console" | tail -20 >&2
    exit 1
fi
exit "$(cat "$work/status")"
