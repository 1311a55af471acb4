#!/usr/bin/env bash
# install_in_root.sh ROOT PACKAGE SOURCE_FOLDER: installs the Debian PACKAGE
# with apt into a throwaway layer over the Debian root ROOT (another
# architecture's, whose programs run under qemu-user), checks that its
# postinst gave the program cap_net_raw+p, and there has the installed
# program echo 127.0.0.1 through its window (window_echo.sh). ROOT holds the
# package's dependencies already (QUORL_ARM64_ROOT_PACKAGES): nothing is
# downloaded, and ROOT itself is left as it was. Needs root.
set -euo pipefail
root=$1
package=$2
source=$3

layer=$(mktemp -d /tmp/quorl-root-layer-XXXXXX)
trap 'rm -rf "$layer"' EXIT
mkdir "$layer/upper" "$layer/work" "$layer/merged"

# shellcheck disable=SC2016
unshare --mount --propagation private -- bash -euc '
    root=$1 layer=$2 package=$3 source=$4
    mount -t overlay overlay -o "lowerdir=$root,upperdir=$layer/upper,workdir=$layer/work" \
        "$layer/merged"
    mkdir -p "$layer/merged/tmp/check"
    cp "$package" "$source/scripts/atspi_window.py" "$source/packaging/linux/window_echo.sh" \
        "$layer/merged/tmp/check/"
    source "$source/scripts/debian_root.sh"
    in_debian_root "$layer/merged" /tmp/check bash -euc "
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            /tmp/check/${package##*/} >/dev/null
        getcap /usr/bin/quorl | grep -q cap_net_raw=p ||
            { echo \"FAILED: postinst did not give /usr/bin/quorl cap_net_raw+p\"; exit 1; }
        echo \"Installed in \$(dpkg --print-architecture) Debian \$(cat /etc/debian_version):\" \
            \"\$(dpkg-query -W quorl)\"
        ./window_echo.sh /usr/bin/quorl ./atspi_window.py 180"
' install_in_root "$root" "$layer" "$package" "$source"
