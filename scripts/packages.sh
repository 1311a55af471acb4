# shellcheck shell=bash
# Installs missing Debian packages, non-interactively, as root or via sudo.
# Sourced by ./run and ./test, which use the lists below.
# shellcheck disable=SC2034

QUORL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libcap-dev qt6-base-dev libgl-dev
    qt6-wayland fonts-dejavu-core libcap2-bin)
# ./run without a display: a virtual X server with a window manager, shared
# over VNC.
QUORL_HEADLESS_PACKAGES=(xvfb xauth x11vnc openbox wmctrl)
QUORL_TEST_PACKAGES=(googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev
    iproute2 iputils-ping nftables libcap2-bin util-linux xvfb xauth
    dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
    dpkg-dev lintian appstream desktop-file-utils
    weston qt6-wayland x11vnc openbox wmctrl vncsnapshot imagemagick)
QUORL_WINDOWS_PACKAGES=(g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 icoutils)
# scripts/release.sh: both programs and both packages, without Wine.
QUORL_RELEASE_PACKAGES=("${QUORL_BUILD_PACKAGES[@]}" g++-mingw-w64-i686 binutils-mingw-w64-i686
    dpkg-dev git)
# Where the machine runs no 32-bit x86 code: an emulated x86 machine for Wine.
QUORL_X86_VM_PACKAGES=(qemu-system-x86 linux-image-amd64 busybox-static cpio kmod)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Need root (or sudo) to run: $*" >&2
        return 1
    fi
}

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${db:Status-Status}\n' "$package" 2>/dev/null | grep -qx installed ||
            printf '%s\n' "$package"
    done
}

ensure_i386_architecture() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        QUORL_APT_UPDATED=
    fi
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $(echo $missing)"
    if [ -z "${QUORL_APT_UPDATED:-}" ]; then
        as_root apt-get update -q
        QUORL_APT_UPDATED=1
    fi
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}
