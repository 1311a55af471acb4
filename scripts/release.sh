#!/usr/bin/env bash
# release.sh OUTDIR: builds the release artefacts from the last commit, in
# build folders of its own, and writes into OUTDIR:
#   quorl_VERSION_amd64.deb   the Debian package of the Linux program
#   quorl_VERSION_arm64.deb   the same for arm64, cross-built against the
#                             arm64 sysroot of scripts/arm64-root.sh
#   Quorl-VERSION-win32.zip   Quorl.exe and its README.txt
#   SHA256SUMS                the checksums of them all
# With --only BUILD (linux, win32 or arm64; may be given more than once) it
# builds just those.
# Where the registry's arm64 index cannot be had, it stops saying so; with
# QUORL_NO_ARM64 set (as ./test sets it then) it leaves the arm64 package out.
# Uncommitted changes are left out. Two runs on the same commit give the same
# bytes wherever and whenever they run: every time stamp is the commit's
# (SOURCE_DATE_EPOCH), no path of the build is written into what is built,
# and the caller's umask, time zone and language do not reach the build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && git rev-parse --show-toplevel)
# shellcheck source=scripts/packages.sh
source "$top/scripts/packages.sh"

usage() {
    echo "usage: $0 [--only linux|win32|arm64]... OUTDIR" >&2
    exit 2
}
builds=()
while [ $# -gt 1 ] && [ "$1" = --only ]; do
    case "$2" in
    linux | win32 | arm64) builds+=("$2") ;;
    *) usage ;;
    esac
    shift 2
done
[ $# -eq 1 ] || usage
[ ${#builds[@]} -gt 0 ] || builds=(linux win32 arm64)
mkdir -p "$1"
out=$(cd "$1" && pwd)

# wanted BUILD: whether this run makes BUILD.
wanted() {
    [[ " ${builds[*]} " == *" $1 "* ]]
}

ensure_packages "${QUORL_RELEASE_PACKAGES[@]}"
arm64_sysroot=
arm64_root=
if wanted arm64 && [ -z "${QUORL_NO_ARM64:-}" ]; then
    ensure_packages "${QUORL_ARM64_PACKAGES[@]}"
    arm64_sysroot=$(as_root "$top/scripts/arm64-root.sh" --sysroot) ||
        { echo "No arm64 package: $arm64_sysroot" >&2; exit 1; }
    arm64_root=$(as_root "$top/scripts/arm64-root.sh") ||
        { echo "No arm64 package: $arm64_root" >&2; exit 1; }
fi

umask 022
export TZ=UTC LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE
SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

work=$(mktemp -d "${TMPDIR:-/tmp}/quorl-release-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/source"
git -C "$top" archive --format=tar HEAD | tar -x -C "$work/source"

# configure NAME ARGS...: a Release build of the committed tree in its own folder.
configure() {
    local name=$1
    shift
    cmake -S "$work/source" -B "$work/$name" -G Ninja -DQUORL_BUILD_TESTS=OFF "$@" >/dev/null
    cmake --build "$work/$name"
}

artefacts=()
if wanted linux; then
    echo "== Linux program and Debian package"
    configure linux -DCMAKE_BUILD_TYPE=Release
    (cd "$work/linux" && cpack -G DEB >/dev/null)
    artefacts+=("$work"/linux/quorl_*_amd64.deb)
fi

if wanted win32; then
    echo "== Windows program and bundle"
    configure win32 -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/toolchain-mingw-i686.cmake" \
        -DQUORL_MINGW_THREAD_MODEL=win32
    (cd "$work/win32" && cpack -G ZIP >/dev/null)
    artefacts+=("$work"/win32/Quorl-*-win32.zip)
fi

if [ -n "$arm64_root" ]; then
    echo "== Linux program and Debian package for arm64"
    configure linux-arm64 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/toolchain-linux-arm64.cmake"
    (cd "$work/linux-arm64" && cpack -G DEB >/dev/null)
    artefacts+=("$work"/linux-arm64/quorl_*_arm64.deb)
elif wanted arm64; then
    echo "== No arm64 package: $QUORL_NO_ARM64"
fi

cp "${artefacts[@]}" "$out/"
(cd "$out" && sha256sum -- "${artefacts[@]##*/}" >SHA256SUMS)
echo "== In $out:"
cat "$out/SHA256SUMS"
