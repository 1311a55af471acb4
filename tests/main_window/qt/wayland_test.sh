#!/usr/bin/env bash
# The window on a Wayland desktop through Qt's own Wayland platform: a
# headless weston of its own shows it, the test echoes 127.0.0.1 through it
# over a private accessibility bus and reads the boxes, and keeps a picture
# of the desktop when weston can take one.
# Usage: wayland_test.sh PROGRAM ATSPI_WINDOW_SCRIPT OUTPUT_FOLDER
set -uo pipefail
program=$1
atspi_window=$2
output=$3

for tool in weston dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 0; }
done
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    { echo "SKIPPED: needs Qt's Wayland platform plugin (qt6-wayland)"; exit 0; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
compositor=
cleanup() {
    [ -z "$compositor" ] || kill "$compositor" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

# --debug lets weston-screenshooter take its picture.
socket=quorl-wayland-test
XDG_RUNTIME_DIR=$runtime timeout 60 weston --backend=headless-backend.so --use-pixman \
    --socket="$socket" --idle-time=0 --width=640 --height=480 --debug \
    >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    sleep 0.1
done
[ -S "$runtime/$socket" ] || { echo "weston did not start:"; cat "$runtime/weston.log"; exit 1; }

# shellcheck disable=SC2016
answer=$(env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" \
    timeout 60 dbus-run-session -- bash -c '
    QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" 2>/dev/null &
    window=$!
    /usr/bin/python3 "$2" echo 127.0.0.1
    if command -v weston-screenshooter >/dev/null; then
        (cd "$XDG_RUNTIME_DIR" && weston-screenshooter >/dev/null 2>&1)
    fi
    kill "$window"' wayland_test "$program" "$atspi_window" 2>/dev/null)
echo "$answer"

for picture in "$runtime"/wayland-screenshot-*.png; do
    [ -f "$picture" ] && cp "$picture" "$output/quorl_window_on_wayland.png"
done

failed=0
for line in "Host Name: localhost" "IP Address: 127.0.0.1" "Return Status: 0   [ ip success ]" \
    "Address (dec): 16777343" "Data Packet Size: 9 bytes" "Data Returned: Echo This"; do
    grep -qxF "$line" <<<"$answer" || { echo "expected \"$line\""; failed=1; }
done
grep -qx "Round Trip Time: [0-9]* ms" <<<"$answer" || { echo "no round trip time"; failed=1; }
[ "$failed" -eq 0 ] && echo "Wayland: passed"
exit "$failed"
