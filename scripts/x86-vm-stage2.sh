#!/bin/bash
# x86-vm-stage2.sh SETTINGS: the first process of the emulated machine of
# in-x86-vm.sh, started on the host's root (mounted read-only) once the
# initramfs has mounted it. SETTINGS is a file of shell assignments written
# by in-x86-vm.sh:
#   work        where the command's output and exit status go (in build)
#   build       the build folder, shared writable by the host
#   repository  the source tree, read-only
#   directory   where the command starts
#   limit       seconds the machine has, from its start to its power off
#   command     the command, an array
# It runs the command, writes its output and status, and powers off.
# No set -e: as the machine's first process it must reach the power off.
set -uo pipefail
work='' build='' repository='' directory='' limit='' command=()
# shellcheck source=/dev/null
source "$1"

mount_system() {
    mount -t proc proc /proc
    mount -t sysfs sys /sys
    mount -t devtmpfs dev /dev
    mkdir -p /dev/pts /dev/shm
    mount -t devpts devpts /dev/pts
    mount -t tmpfs tmpfs /dev/shm
    mount -t tmpfs tmpfs /run
}

# Fresh tmpfs wherever the programs write outside the build folder (X and
# Wine sockets, HOME's caches, the X server's compiled keymaps). The
# repository stays visible wherever it lies, even inside one of them (a
# clone in root's home, say): it is held aside first and bound back after.
mount_scratch() {
    local folder
    mkdir -p /run/repository
    mount --bind "$repository" /run/repository
    for folder in /tmp /var/tmp /root /var/lib/xkb; do
        [ -d "$folder" ] && mount -t tmpfs tmpfs "$folder"
    done
    if [ ! -e "$repository/CMakeLists.txt" ]; then
        mkdir -p "$repository"
        mount --bind /run/repository "$repository"
    fi
}

mount_build() {
    mkdir -p "$build" 2>/dev/null
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose build "$build"
}

# Powering off, and ending a command that overran: out of the machine's time.
readonly kPowerOffSeconds=30

# What the boot left of the machine's time for the command.
command_seconds() {
    local booted
    booted=$(cut -d. -f1 /proc/uptime)
    echo $((limit - booted - kPowerOffSeconds > 1 ? limit - booted - kPowerOffSeconds : 1))
}

run_command() {
    local status seconds
    ip link set lo up
    export HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    seconds=$(command_seconds)
    export QUORL_IN_X86_VM=1 QUORL_X86_VM_SECONDS_LEFT=$seconds
    cd "$directory" || return
    SECONDS=0
    timeout --kill-after=10 "$seconds" "${command[@]}" >"$work/output" 2>&1
    status=$?
    # 124 before the time was up is the command's own word for its overrun.
    if [ "$status" -eq 124 ] && [ "$SECONDS" -ge "$seconds" ]; then
        echo "in the emulated machine: the command did not finish within $seconds s" >>"$work/output"
    fi
    echo "$status" >"$work/status"
}

mount_system
mount_scratch
mount_build
run_command
sync
echo o >/proc/sysrq-trigger
sleep 60
