#!/usr/bin/env bash
# Runs under xvfb-run: shares the virtual display over VNC, reachable from
# this machine only and with a one-time password, and runs the given program
# on it until the program ends; the VNC server ends with it, and xvfb-run
# then ends the display.
set -euo pipefail

listening() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

port=5900
while listening "$port"; do
    port=$((port + 1))
    [ "$port" -le 5999 ] || { echo "No free VNC port between 5900 and 5999" >&2; exit 1; }
done

# VNC authentication reads 8 characters: 6 random bytes in base64 fill them.
password=$(head -c 6 /dev/urandom | base64 | tr '+/' 'xy')
secrets=$(mktemp -d "${TMPDIR:-/tmp}/quorl-vnc-XXXXXX")
vnc_server=
stop() {
    rm -rf "$secrets"
    [ -z "$vnc_server" ] || { kill "$vnc_server" 2>/dev/null; wait "$vnc_server" 2>/dev/null; }
}
trap stop EXIT
(umask 077 && x11vnc -storepasswd "$password" "$secrets/passwd" >/dev/null 2>&1)

# In a session of its own: when x11vnc ends it signals its process group.
setsid x11vnc -display "$DISPLAY" -rfbport "$port" -localhost -noipv6 -rfbauth "$secrets/passwd" \
    -forever -shared -quiet -o /dev/null >/dev/null 2>&1 &
vnc_server=$!

for _ in $(seq 100); do
    listening "$port" && break
    sleep 0.1
done
listening "$port" || { echo "x11vnc did not start" >&2; exit 1; }

echo "Connect a VNC viewer to 127.0.0.1:$port (VNC display 127.0.0.1:$((port - 5900)))."
echo "VNC password, for this session only: $password"
echo "Close the window, or press Ctrl+C here, to stop."
"$@"
