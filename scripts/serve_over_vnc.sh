#!/usr/bin/env bash
# Runs under xvfb-run: shares the virtual display over VNC, reachable from
# this machine only and without a password, and runs the given program on it
# until the program ends.
set -euo pipefail

listening() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

port=5900
while listening "$port"; do
    port=$((port + 1))
    [ "$port" -le 5999 ] || { echo "No free VNC port between 5900 and 5999" >&2; exit 1; }
done

x11vnc -display "$DISPLAY" -rfbport "$port" -localhost -noipv6 -nopw -forever -shared \
    -quiet -o /dev/null >/dev/null 2>&1 &
vnc_server=$!
trap 'kill "$vnc_server" 2>/dev/null' EXIT

for _ in $(seq 100); do
    listening "$port" && break
    sleep 0.1
done
listening "$port" || { echo "x11vnc did not start" >&2; exit 1; }

echo "Connect a VNC viewer to 127.0.0.1:$port (VNC display 127.0.0.1:$((port - 5900)))."
echo "Close the window, or press Ctrl+C here, to stop."
"$@"
