#!/usr/bin/env bash
# serve_over_vnc.sh PROGRAM [ARGS...]: runs PROGRAM on a virtual X display of
# its own with a small window manager, so that its window has a title bar and
# a close button, and serves the display over VNC, reachable from this
# machine only and with a one-time password. Everything the session needs
# (its X authority, the VNC password, XDG_RUNTIME_DIR) lives in one private
# folder. When the program ends, closed from its title bar say, the VNC
# server, the window manager and the display end with it and the folder goes;
# so they do on Ctrl+C. The exit status is the program's.
set -euo pipefail

readonly kScreen=640x480x24

session=$(mktemp -d "${TMPDIR:-/tmp}/quorl-session-XXXXXX")
helpers=()
program=
stop() {
    local pid
    # No signal may cut the clean-up short.
    trap '' INT TERM HUP
    for pid in $program "${helpers[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $program "${helpers[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$session"
}
# on_signal STATUS: exits with STATUS. A second Ctrl+C, or the same one
# passed on by a timeout around this script, must not cut the clean-up
# short, so signals are ignored from the first on.
on_signal() {
    trap '' INT TERM HUP
    exit "$1"
}
trap stop EXIT
trap 'on_signal 130' INT
trap 'on_signal 143' TERM
trap 'on_signal 129' HUP

# wait_for WHAT COMMAND...: up to 30 s for COMMAND to succeed; a loaded
# machine has been seen to take over 10 s to start the window manager.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    echo "$what did not start" >&2
    return 1
}

start_display() {
    local cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    export XAUTHORITY=$session/Xauthority
    : >"$XAUTHORITY"
    # The server takes every cookie in its file; clients look theirs up by
    # display, which is known only once the server has picked one.
    xauth -q -f "$XAUTHORITY" add :0 MIT-MAGIC-COOKIE-1 "$cookie"
    Xvfb -displayfd 3 -screen 0 "$kScreen" -nolisten tcp -auth "$XAUTHORITY" \
        3>"$session/display" >/dev/null 2>&1 &
    helpers+=($!)
    wait_for "The virtual display" test -s "$session/display"
    DISPLAY=:$(cat "$session/display")
    export DISPLAY
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$cookie"
}

# wmctrl finds a window manager once it has taken the display.
window_manager_running() {
    wmctrl -m >/dev/null 2>&1
}

start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    helpers+=($!)
    wait_for "The window manager" window_manager_running
}

# x11vnc takes the first free port from 5900 itself and names it once it
# listens there, so that two sessions started at once never pick the same.
vnc_port() {
    sed -n 's/^PORT=\([0-9][0-9]*\)$/\1/p' "$session/vnc.out" | grep .
}

start_vnc() {
    local password port
    # VNC authentication reads 8 characters: 6 random bytes in base64 fill them.
    password=$(head -c 6 /dev/urandom | base64 | tr '+/' 'xy')
    (umask 077 && x11vnc -storepasswd "$password" "$session/passwd" >/dev/null 2>&1)
    x11vnc -display "$DISPLAY" -autoport 5900 -localhost -noipv6 -rfbauth "$session/passwd" \
        -forever -shared -quiet -o /dev/null >"$session/vnc.out" 2>/dev/null &
    helpers+=($!)
    wait_for "x11vnc" vnc_port >/dev/null
    port=$(vnc_port)
    echo "Connect a VNC viewer to 127.0.0.1:$port (VNC display 127.0.0.1:$((port - 5900)))."
    echo "VNC password, for this session only: $password"
}

export XDG_RUNTIME_DIR=$session/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_display
start_window_manager
start_vnc
echo "Close the window, or press Ctrl+C here, to stop."

# In the background, so that a signal to this script is handled at once.
"$@" &
program=$!
status=0
wait "$program" || status=$?
program=
exit "$status"
