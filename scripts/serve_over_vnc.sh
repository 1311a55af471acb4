#!/usr/bin/env bash
# serve_over_vnc.sh PROGRAM [ARGS...]: runs PROGRAM on a virtual X display of
# its own with a small window manager, so that its window has a title bar and
# a close button. The display is Xvnc, which serves itself over VNC, reachable
# from this machine only and with a one-time password. Everything the session
# needs (its X authority, the VNC password, XDG_RUNTIME_DIR) lives in one
# private folder. When the program ends, closed from its title bar say, the
# window manager and the display end with it and the folder goes; so they do
# on Ctrl+C. The exit status is the program's.
set -euo pipefail

readonly kGeometry=640x480
# VNC's own range, 5900 up: a viewer's display N is port 5900 + N.
readonly kFirstPort=5900 kLastPort=5999

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

# Xvnc names its display once it listens for viewers, and ends at once when
# its port is taken, saying so in the C library's words.
xvnc_answered() {
    test -s "$session/display" || ! kill -0 "$1" 2>/dev/null
}

# The display, Xvnc on the first free display number, serves VNC on the first
# free port from 5900: another program, or a session starting beside this
# one, may hold any of them. It is called by the name of TigerVNC's own
# program, which the Xvnc alternative may not be. Sets port.
start_display() {
    local cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    export XAUTHORITY=$session/Xauthority
    : >"$XAUTHORITY"
    # The server takes every cookie in its file; clients look theirs up by
    # display, which is known only once the server has picked one.
    xauth -q -f "$XAUTHORITY" add :0 MIT-MAGIC-COOKIE-1 "$cookie"
    for port in $(seq "$kFirstPort" "$kLastPort"); do
        : >"$session/display"
        LC_ALL=C Xtigervnc -displayfd 3 -geometry "$kGeometry" -depth 24 \
            -nolisten tcp -auth "$XAUTHORITY" -interface 127.0.0.1 -rfbport "$port" \
            -SecurityTypes VncAuth -rfbauth "$session/passwd" -AlwaysShared \
            3>"$session/display" >/dev/null 2>"$session/xvnc.log" &
        helpers+=($!)
        wait_for "Xvnc" xvnc_answered "$!"
        [ -s "$session/display" ] && break
        unset 'helpers[-1]'
        grep -q "Address already in use" "$session/xvnc.log" ||
            { cat "$session/xvnc.log" >&2; exit 1; }
    done
    [ -s "$session/display" ] || { echo "No free port from $kFirstPort to $kLastPort" >&2; exit 1; }
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

export XDG_RUNTIME_DIR=$session/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# VNC authentication reads 8 characters: 6 random bytes in base64 fill them.
password=$(head -c 6 /dev/urandom | base64 | tr '+/' 'xy')
(umask 077 && tigervncpasswd -f <<<"$password" >"$session/passwd")
start_display
start_window_manager
echo "Connect a VNC viewer to 127.0.0.1:$port (VNC display 127.0.0.1:$((port - kFirstPort)))."
echo "VNC password, for this session only: $password"
echo "Close the window, or press Ctrl+C here, to stop."

# In the background, so that a signal to this script is handled at once.
"$@" &
program=$!
status=0
wait "$program" || status=$?
program=
exit "$status"
