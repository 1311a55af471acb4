#!/usr/bin/env bash
# Starts the window on a virtual display with its own session and
# accessibility buses, and prints what assistive technology sees of it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

program=${1:-build/release/quorl}
ensure_packages xvfb xauth dbus at-spi2-core python3-gi gir1.2-atspi-2.0

# shellcheck disable=SC2016
xvfb-run --auto-servernum dbus-run-session -- bash -c '
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>/dev/null &
    window=$!
    trap "kill $window" EXIT
    /usr/bin/python3 scripts/atspi_window.py show' show_accessibility_tree "$program"
