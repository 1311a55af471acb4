#!/usr/bin/env bash
# Builds the Debian package from a build folder, inspects and validates it,
# unpacks it into a scratch root and has its program echo 127.0.0.1, driven
# over the accessibility bus on a virtual display as a user's assistive
# technology would drive it. The arm64 build's package is installed into the
# arm64 Debian root instead (scripts/arm64-root.sh), and its program echoes
# there (install_in_root.sh).
# Usage: check_deb.sh BUILD_FOLDER SOURCE_FOLDER VERSION [arm64]
set -euo pipefail
build=$1
source=$2
version=$3
architecture=${4:-$(dpkg --print-architecture)}
package=$build/quorl_${version}_${architecture}.deb

foreign_root=
if [ "$architecture" != "$(dpkg --print-architecture)" ]; then
    [ "$(id -u)" -eq 0 ] ||
        { echo "SKIPPED: needs root to install the $architecture package into the $architecture root"; exit 0; }
    # ./test makes the root while the rest builds and runs: wait for it.
    foreign_root=$("$source/scripts/arm64-root.sh" --wait) ||
        { echo "SKIPPED: $foreign_root"; exit 0; }
fi

for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate \
    xvfb-run dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 0; }
done

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

(cd "$build" && cpack -G DEB >/dev/null) || { echo "FAILED: cpack"; exit 1; }
[ -f "$package" ] || { echo "FAILED: no $package"; exit 1; }
packaged_version=$(dpkg-deb -f "$package" Version)
[ "$packaged_version" = "$version" ] ||
    fail "the package's Version is \"$packaged_version\", the project's is $version"

contents=$(dpkg-deb -c "$package")
for path in ./usr/bin/quorl ./usr/share/applications/quorl.desktop \
    ./usr/share/metainfo/org.quorl.quorl.metainfo.xml ./usr/share/man/man1/quorl.1.gz \
    ./usr/share/doc/quorl/copyright ./usr/share/icons/hicolor/scalable/apps/quorl.svg \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48}/apps/quorl.png; do
    grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

control=$(dpkg-deb -I "$package")
grep -q '^ Depends: .*libqt6widgets6' <<<"$control" || fail "Depends not computed from the binary"
grep -q '^ Depends: .*qt6-wayland' <<<"$control" || fail "Depends lacks the Wayland platform"
grep -qx "$architecture" <<<"$(dpkg-deb -f "$package" Architecture)" ||
    fail "the package's Architecture is not $architecture"
# Package names change between releases (Debian 13's t64 libraries): every
# dependency must be one this release's archive can meet (for another
# architecture: apt installs it into that root, below).
if [ -z "$foreign_root" ]; then
    simulated=$(apt-get install --simulate -q "$package" 2>&1) ||
        fail "its dependencies cannot be installed here: $(grep -E '^(E:| [^ ].*: Depends:)' <<<"$simulated")"
fi
grep -q 'setcap cap_net_raw+p /usr/bin/quorl' <<<"$(dpkg-deb -I "$package" postinst)" ||
    fail "postinst does not set cap_net_raw+p"

# Errors and warnings fail; informational tags are listed in docs/packaging.md.
findings=$(lintian "$package" 2>/dev/null | grep -E '^[EW]: ' || true)
[ -z "$findings" ] || fail "lintian: $findings"

root=$(mktemp -d /tmp/quorl-deb-XXXXXX)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
# Pedantic findings still exit 0: any finding at all fails the check.
metainfo="$root/usr/share/metainfo/org.quorl.quorl.metainfo.xml"
appstream=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) ||
    fail "appstreamcli rejects the metainfo: $appstream"
! grep -qE '^[EWIP]: ' <<<"$appstream" || fail "appstreamcli: $appstream"
desktop-file-validate "$root/usr/share/applications/quorl.desktop" || fail "desktop entry"

if [ -n "$foreign_root" ]; then
    "$source/packaging/linux/install_in_root.sh" "$foreign_root" "$package" "$source" || failed=1
else
    "$source/packaging/linux/window_echo.sh" "$root/usr/bin/quorl" "$source/scripts/atspi_window.py" ||
        failed=1
fi

[ "$failed" -eq 0 ] && echo "Debian package: passed"
exit "$failed"
