# shellcheck shell=bash
# Debian roots made with debootstrap from this machine's own archive, kept
# between runs, and commands run inside them. Sourced by scripts/in-debian.sh
# and scripts/arm64-root.sh.

# The archive this machine's apt is set up with (KIND ""), or its security
# archive (KIND "-security").
archive_of() {
    local kind=$1
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1 == "URIs:" || $1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) print $i }' | grep -m 1 -E "/debian${kind}/?\$" || true
}

# debian_sources CODENAME: apt's sources (deb822) for a root of CODENAME:
# this machine's archive, with the release's updates and security fixes.
debian_sources() {
    local codename=$1 archive security
    archive=$(archive_of "")
    security=$(archive_of "-security")
    echo "Types: deb"
    echo "URIs: $archive"
    echo "Suites: $codename $codename-updates"
    echo "Components: main"
    echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    if [ -n "$security" ]; then
        echo
        echo "Types: deb"
        echo "URIs: $security"
        echo "Suites: $codename-security"
        echo "Components: main"
        echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    fi
}

# make_debian_root CODENAME ARCH ROOT: a minimal root of that release and
# architecture, made in ROOT.draft and moved to ROOT when whole. Another
# architecture's root is made in two stages, the second run under
# qemu-user through binfmt_misc (scripts/qemu_arm64.sh). Each step returns on
# failure itself, since a caller's `if` turns off `set -e` in here.
make_debian_root() {
    local codename=$1 arch=$2 root=$3 archive foreign=()
    archive=$(archive_of "")
    [ -n "$archive" ] || {
        echo "No Debian archive in this machine's apt sources." >&2
        return 1
    }
    command -v debootstrap >/dev/null ||
        apt-get install -y -q --no-install-recommends debootstrap || return 1
    [ "$arch" = "$(dpkg --print-architecture)" ] || foreign=(--foreign)
    rm -rf "$root.draft"
    mkdir -p "$root.draft"
    echo "== Making a Debian $codename $arch root in $root (once)"
    debootstrap "${foreign[@]}" --arch="$arch" --variant=minbase --include=ca-certificates,git \
        "$codename" "$root.draft" "$archive" || return 1
    if [ ${#foreign[@]} -gt 0 ]; then
        chroot "$root.draft" /debootstrap/debootstrap --second-stage || return 1
    fi
    settle_debian_root "$codename" "$root.draft"
    mv -T "$root.draft" "$root"
}

# settle_debian_root CODENAME ROOT: what a freshly made root of CODENAME
# needs before use: apt's sources (debian_sources) as the only ones, no
# services started when packages are installed, and a name for localhost.
settle_debian_root() {
    local codename=$1 root=$2
    rm -f "$root"/etc/apt/sources.list "$root"/etc/apt/sources.list.d/*
    debian_sources "$codename" >"$root/etc/apt/sources.list.d/debian.sources"
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod +x "$root/usr/sbin/policy-rc.d"
    printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
}

# in_debian_root ROOT DIR COMMAND [ARGS...]: runs COMMAND as root in DIR
# inside ROOT, in a mount namespace of its own with the root as its own mount
# point and /proc, /sys, /dev and a fresh /run, so that network namespaces
# work there as on a machine of its own. It shares this machine's network.
in_debian_root() {
    cp /etc/resolv.conf "$1/etc/resolv.conf"
    # shellcheck disable=SC2016
    unshare --mount --propagation private -- bash -euc '
        root=$1 dir=$2
        shift 2
        mount --bind "$root" "$root"
        mount -t proc proc "$root/proc"
        mount --rbind /sys "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs -o mode=755 tmpfs "$root/run"
        exec chroot "$root" env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            bash -c "cd \"\$0\" && exec \"\$@\"" "$dir" "$@"
    ' in-debian "$@"
}
