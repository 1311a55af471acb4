#!/usr/bin/env bash
# ./run's headless mode: the window served over VNC refuses a viewer without
# the session's password or with a wrong one, shows the window to one with
# it, and the VNC server and the virtual display end when the window does.
# Usage: vnc_password_test.sh SERVE_OVER_VNC PROGRAM
set -uo pipefail
serve=$1
program=$2

for tool in Xtigervnc tigervncpasswd xauth openbox wmctrl vncsnapshot convert; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 0; }
done

work=$(mktemp -d)
server=
cleanup() {
    [ -z "$server" ] || kill "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The window's process writes its id, so that the test can close it alone.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u DISPLAY timeout 120 \
    "$serve" sh -c 'echo $$ >"$0"; exec "$1"' "$work/pid" "$program" >"$work/out" 2>&1 &
server=$!

password=
for _ in $(seq 900); do
    password=$(sed -n 's/^VNC password, for this session only: //p' "$work/out")
    [ -n "$password" ] && [ -s "$work/pid" ] && break
    sleep 0.1
done
port=$(sed -n 's/^Connect a VNC viewer to 127\.0\.0\.1:\([0-9]*\) .*/\1/p' "$work/out")
if [ -z "$password" ] || [ -z "$port" ]; then
    echo "the VNC session did not start:"
    cat "$work/out"
    exit 1
fi
sleep 1  # the window maps after the server is up

failed=0
# The password file is the server's -rfbauth argument: only its owner reads it.
# The server is the session's display, started beside the window.
session=$(ps -o ppid= -p "$(cat "$work/pid")" | tr -d ' ')
vnc=$(pgrep -a -x -P "$session" Xtigervnc)
password_file=$(sed -n 's/.* -rfbauth \([^ ]*\) .*/\1/p' <<<"$vnc")
if [ -z "$password_file" ] || [ "$(stat -c %a "$password_file")" != 600 ]; then
    echo "the password file \"$password_file\" is not private to its owner"
    failed=1
fi

# Raw pixels: vncsnapshot stalls on the tight encoding as Xvnc sends it.
snapshot() {
    timeout 20 vncsnapshot -encodings raw "$@" "127.0.0.1::$port" "$work/screen.jpg" </dev/null 2>&1
}

# Without a password the viewer is asked for one and cannot go on.
output=$(snapshot) && { echo "connected without a password"; failed=1; }
grep -q "authentication succeeded" <<<"$output" && { echo "$output"; failed=1; }

tigervncpasswd -f <<<"not$password" >"$work/wrong"
output=$(snapshot -passwd "$work/wrong") && { echo "connected with a wrong password"; failed=1; }
grep -q "VNC authentication failed" <<<"$output" || { echo "$output"; failed=1; }

tigervncpasswd -f <<<"$password" >"$work/right"
if output=$(snapshot -passwd "$work/right"); then
    # The window, light grey, amid the black root window of the 640x480 screen.
    window=$(convert "$work/screen.jpg" -crop 200x120+220+180 -colorspace Gray -format '%[fx:mean]' info:)
    root=$(convert "$work/screen.jpg" -crop 100x60+0+0 -colorspace Gray -format '%[fx:mean]' info:)
    awk -v w="$window" -v r="$root" 'BEGIN { exit !(w > 0.7 && r < 0.1) }' ||
        { echo "no window on the screen: window area $window, root $root"; failed=1; }
else
    echo "the right password was refused:"
    echo "$output"
    failed=1
fi

# Closing the window ends the session and closes the port.
kill "$(cat "$work/pid")"
for _ in $(seq 100); do
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$server" 2>/dev/null; then
    echo "the session outlived its window"
    failed=1
fi
# Its own VNC server, not the port: another session may take the port next.
if [ -n "$vnc" ] && kill -0 "${vnc%% *}" 2>/dev/null; then
    echo "the VNC server on port $port outlived the window"
    failed=1
fi
server=

[ "$failed" -eq 0 ] && echo "VNC password: passed"
exit "$failed"
