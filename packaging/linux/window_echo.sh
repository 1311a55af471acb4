#!/usr/bin/env bash
# window_echo.sh PROGRAM ATSPI_WINDOW [SECONDS]: opens PROGRAM's window on a
# virtual display and has it echo 127.0.0.1, driven over the accessibility
# bus as a user's assistive technology would drive it (ATSPI_WINDOW is
# scripts/atspi_window.py). Prints every box, and fails naming what is wrong
# unless the echo succeeded, from 127.0.0.1, looked up as localhost. Used by
# check_deb.sh, here and in the arm64 root, where it all runs emulated and so
# gets more SECONDS than the default 60.
set -uo pipefail
program=$1
atspi_window=$2
seconds=${3:-60}

# shellcheck disable=SC2016
answer=$(timeout "$seconds" xvfb-run --auto-servernum dbus-run-session -- bash -c '
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>/dev/null &
    window=$!
    /usr/bin/python3 "$2" echo 127.0.0.1
    kill "$window"' window_echo "$program" "$atspi_window" 2>/dev/null)
echo "$answer"

failed=0
check() {
    grep -qx "$1" <<<"$answer" || { echo "FAILED: $2"; failed=1; }
}
check 'Return Status: 0   \[ ip success \]' "no echo from the installed program"
check 'Address (dec): 16777343' "wrong answering address"
check 'Host Name: localhost' "no reverse lookup"
exit "$failed"
