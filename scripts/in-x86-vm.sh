#!/usr/bin/env bash
# in-x86-vm.sh COMMAND...: runs a command inside a small emulated x86-64
# machine that boots Debian's kernel with this machine's own file system as
# its root (over 9p), and returns the command's exit code.
#
# For hosts that cannot execute 32-bit x86 code themselves (some hypervisors
# turn it off), so that Wine can still run the Windows programs: the emulated
# CPU runs them, slowly. Needs qemu-system-x86, linux-image-amd64 and
# busybox-static. The command sees / as here, with fresh /proc, /sys, /dev,
# /run and /tmp of its own, and the loopback network only.
#
#   in-x86-vm.sh --check   exits 0 when all of that is installed.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 COMMAND... | --check" >&2; exit 2; }

kernel=$(ls /boot/vmlinuz-* 2>/dev/null | sort -V | tail -1)
missing=
[ -n "$kernel" ] || missing+=" linux-image-amd64"
command -v qemu-system-x86_64 >/dev/null || missing+=" qemu-system-x86"
[ -x /bin/busybox ] || missing+=" busybox-static"
if [ -n "$missing" ]; then
    echo "needs:$missing" >&2
    exit 77
fi
[ "$1" = --check ] && exit 0
release=${kernel#/boot/vmlinuz-}
repository=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /var/tmp/quorl-vm.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The first stage: load the 9p modules, mount the host's root, switch to it.
initramfs=$work/initramfs
mkdir -p "$initramfs"/{bin,dev,proc,newroot,modules}
cp /bin/busybox "$initramfs/bin/busybox"
for module in virtio_pci 9pnet_virtio 9p; do
    modprobe -S "$release" --show-depends "$module" | awk '{print $2}'
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
    echo '/bin/busybox mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose hostroot /newroot'
    echo '/bin/busybox umount /proc'
    echo "exec /bin/busybox switch_root /newroot $work/stage2"
} >"$initramfs/init"
chmod +x "$initramfs/init"
(cd "$initramfs" && find . | cpio --quiet -o -H newc | gzip -1) >"$work/initramfs.gz"

# The second stage, on the host's root: a fresh system tree, the command,
# its exit code written back, power off.
printf '%q ' "$@" >"$work/command"
cat >"$work/stage2" <<STAGE2
#!/bin/bash
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /run
# A /tmp of its own (the X and Wine sockets cannot live on 9p), with the
# repository bound back in when it lies under the host's /tmp.
mkdir -p /run/host-tmp
mount --bind /tmp /run/host-tmp
mount -t tmpfs tmpfs /tmp
case "$repository" in
/tmp/*)
    mkdir -p "$repository"
    mount --bind "/run/host-tmp/${repository#/tmp/}" "$repository"
    ;;
esac
ip link set lo up
export HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export QUORL_IN_X86_VM=1
cd "$PWD"
set +e
bash -c "\$(cat $work/command)" >"$work/output" 2>&1
echo \$? >"$work/status"
sync
echo o >/proc/sysrq-trigger
STAGE2
chmod +x "$work/stage2"

qemu-system-x86_64 -machine q35 -cpu max,smap=off,pku=off -smp "$(nproc)" -m 4G -accel tcg,thread=multi \
    -kernel "$kernel" -initrd "$work/initramfs.gz" \
    -append "console=ttyS0 quiet rdinit=/init panic=-1" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=passthrough,multidevs=remap,id=hostroot \
    -nic none -nographic -no-reboot -serial "file:$work/console" -monitor none >/dev/null
cat "$work/output" 2>/dev/null || true
if [ ! -f "$work/status" ]; then
    echo "the emulated machine stopped before the command finished; its console:" >&2
    tail -20 "$work/console" >&2
    exit 1
fi
exit "$(cat "$work/status")"
