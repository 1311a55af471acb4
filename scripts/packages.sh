# shellcheck shell=bash
# Installs missing Debian packages, non-interactively, as root or via sudo.
# Sourced by ./run, ./test and scripts/release.sh, which use the lists below.
# The names are those of Debian 12 and Debian 13 alike.
# shellcheck disable=SC2034

QUORL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libcap-dev qt6-base-dev libgl-dev
    qt6-wayland fonts-dejavu-core libcap2-bin)
# ./run without a display: Xvnc, a virtual X server that serves itself over
# VNC, its password tool, and a window manager.
QUORL_HEADLESS_PACKAGES=(tigervnc-standalone-server tigervnc-tools xauth openbox wmctrl)
# locales-all: Wine takes a Windows program's ANSI code page from the C
# library's locale, and only from one that is installed; the Windows tests
# run in Russian, Greek and Japanese locales too. psmisc: fuser, which
# scripts/no-leftovers.sh asks who still holds a test's output.
QUORL_TEST_PACKAGES=(googletest libgtest-dev libgmock-dev clang libclang-rt-dev
    iproute2 iputils-ping nftables libcap2-bin util-linux xvfb xauth
    dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
    dpkg-dev lintian appstream desktop-file-utils
    weston qt6-wayland tigervnc-standalone-server tigervnc-tools openbox wmctrl vncsnapshot
    imagemagick locales-all psmisc)
QUORL_WINDOWS_PACKAGES=(g++-mingw-w64-i686 binutils-mingw-w64-i686 icoutils)
# Wine for the Windows tests. Its 32-bit half comes from the i386 index,
# which the registry sometimes serves days behind amd64; then it cannot be
# installed at all, and the tests that need Wine skip (ensure_wine).
QUORL_WINE_PACKAGES=(wine wine32:i386)
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

# A registry in the middle of a sync serves indexes that do not match their
# release file for a while. apt then keeps the lists it had for those, so
# after a few tries the install goes on with them; only a package that
# cannot be installed from them is a failure.
update_package_lists() {
    local attempt output
    [ -n "${QUORL_APT_UPDATED:-}" ] && return 0
    QUORL_APT_UPDATED=1
    for attempt in 1 2 3; do
        if output=$(as_root apt-get update -q 2>&1); then
            return 0
        fi
        [ "$attempt" -lt 3 ] && sleep $((attempt * 10))
    done
    echo "apt-get update failed three times; going on with the package lists apt has. apt said:" >&2
    grep -E '^(E|W): ' <<<"$output" >&2 || echo "$output" >&2
}

# Installs PACKAGES, or says which of them cannot be installed and apt's
# reason, each on a line of its own (kept in QUORL_INSTALL_FAILURES too),
# and returns 1.
install_packages() {
    local package output failure
    QUORL_INSTALL_FAILURES=
    update_package_lists
    if as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "$@" >/dev/null 2>&1; then
        return 0
    fi
    # One at a time, to name the one that apt refuses.
    for package in "$@"; do
        if ! output=$(as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends "$package" 2>&1); then
            failure="Cannot install $package: $(apt_reason "$output")"
            echo "$failure" >&2
            QUORL_INSTALL_FAILURES+="$failure"$'\n'
        fi
    done
    [ -z "$QUORL_INSTALL_FAILURES" ]
}

# apt's own words for a failed install: its errors, after the first few
# lines that name a dependency it could not meet.
apt_reason() {
    {
        grep -E '^ [^ ].*: (Depends|PreDepends|Breaks|Conflicts):' <<<"$1" | head -n 3 | sed 's/^ *//'
        grep -E '^E: ' <<<"$1"
    } | paste -sd ' ' -
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $(paste -sd ' ' <<<"$missing")"
    # shellcheck disable=SC2086
    install_packages $missing
}

# Installs 32-bit Wine when it can be had. When it cannot, the reason stays
# in QUORL_NO_WINE, exported so that scripts/wine-run.sh --probe gives it as
# the reason the Wine tests skip, and the function returns 1. A QUORL_NO_WINE
# set beforehand takes the path without Wine on any machine.
ensure_wine() {
    if [ -n "${QUORL_NO_WINE:-}" ]; then
        export QUORL_NO_WINE
        return 1
    fi
    ensure_i386_architecture
    if ensure_packages "${QUORL_WINE_PACKAGES[@]}"; then
        unset QUORL_NO_WINE
        return 0
    fi
    QUORL_NO_WINE="32-bit Wine could not be installed. $(paste -sd ' ' <<<"${QUORL_INSTALL_FAILURES%$'\n'}")"
    export QUORL_NO_WINE
    return 1
}
# The arm64 build: Debian's cross compiler on this machine, and qemu-user to
# run arm64 programs; mmdebstrap makes the arm64 sysroot and root
# (scripts/arm64-root.sh), and from Debian 13 on needs arch-test to make a
# root of another architecture.
QUORL_ARM64_PACKAGES=(g++-aarch64-linux-gnu qemu-user-static binfmt-support mmdebstrap arch-test)
# In the arm64 sysroot: the libraries the build links against, and the
# loader's cache (libc-bin's ldconfig).
QUORL_ARM64_SYSROOT_PACKAGES=(libc-bin qt6-base-dev libgl-dev libcap-dev libgtest-dev libgmock-dev)
# In the arm64 root: the same libraries, which bring Qt's platform plugins on
# every release, what computes the package's dependencies there (dpkg-dev),
# and what the installed package's window check runs
# (packaging/linux/install_in_root.sh).
QUORL_ARM64_ROOT_PACKAGES=(qt6-base-dev libgl-dev libcap-dev libgtest-dev libgmock-dev
    qt6-wayland fonts-dejavu-core libcap2-bin xvfb xauth dbus-daemon at-spi2-core
    python3-gi gir1.2-atspi-2.0 dpkg-dev)
