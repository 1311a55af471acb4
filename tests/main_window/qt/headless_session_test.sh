#!/usr/bin/env bash
# ./run's headless mode ends like a desktop session: the window has a window
# manager, and closing it through the window manager ends the session with
# status 0; Ctrl+C ends it too. Either way no process of the session and
# none of its files are left. The program never falls back to a runtime
# folder of Qt's choosing.
# Usage: headless_session_test.sh SERVE_OVER_VNC PROGRAM
set -uo pipefail
serve=$1
program=$2

for tool in Xtigervnc tigervncpasswd xauth openbox wmctrl setsid; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 0; }
done

work=$(mktemp -d)
session=
trap '[ -z "$session" ] || kill -KILL -- "-$session" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/tmp"
failed=0
fail() {
    echo "FAILED ($1): $2"
    failed=1
}

# start: a session in a process group of its own, as a terminal runs it;
# its temporary files go to $work/tmp. Sets session, and window to the
# program's process id.
start() {
    rm -f "$work/pid" "$work/out"
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u DISPLAY -u XDG_RUNTIME_DIR TMPDIR="$work/tmp" \
        setsid timeout 120 "$serve" sh -c 'echo $$ >"$0"; exec "$1"' "$work/pid" "$program" \
        >"$work/out" 2>&1 &
    session=$!
    for _ in $(seq 900); do
        grep -q "^Close the window" "$work/out" && [ -s "$work/pid" ] && break
        sleep 0.1
    done
    window=$(cat "$work/pid" 2>/dev/null)
    [ -n "$window" ] || { echo "the session did not start:"; cat "$work/out"; exit 1; }
}

# environment_of PID NAME: a variable of a running process.
environment_of() {
    tr '\0' '\n' <"/proc/$1/environ" | sed -n "s/^$2=//p"
}

# close_window: closes the program's window as its close button would. The
# session says it is ready before the program has mapped its window, which
# on a busy machine (another test building the release beside this one)
# takes a while. The session may end, and its display with it, before
# wmctrl has heard back: then wmctrl fails, but the window was closed.
close_window() {
    local DISPLAY XAUTHORITY
    DISPLAY=$(environment_of "$window" DISPLAY)
    XAUTHORITY=$(environment_of "$window" XAUTHORITY)
    export DISPLAY XAUTHORITY
    for _ in $(seq 600); do
        wmctrl -l 2>/dev/null | grep -q 'Quorl!' && break
        sleep 0.1
    done
    wmctrl -c 'Quorl!' 2>/dev/null || ! kill -0 "$window" 2>/dev/null
}

# Processes left of the session: in its process session, or naming the
# test's folder.
leftovers() {
    # A process that has ended but not yet been reaped (state Z) holds
    # nothing; on a busy machine one may still be listed a moment after.
    { pgrep -s "$1"; pgrep -f -- "$work"; } | sort -u | xargs -r ps -o pid=,stat=,args= -p |
        awk '$2 !~ /^Z/'
}

# finish HOW EXPECTED_STATUS: waits for the session to end, then checks its
# status and that nothing of it is left.
finish() {
    local how=$1 expected=$2 status="" id=$session
    for _ in $(seq 150); do
        kill -0 "$session" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$session" 2>/dev/null; then
        fail "$how" "the session did not end"
        kill -KILL -- "-$session" 2>/dev/null
    fi
    wait "$session"
    status=$?
    session=
    [ "$status" -eq "$expected" ] || fail "$how" "exit status $status, not $expected"
    sleep 0.5
    local left
    left=$(leftovers "$id")
    [ -z "$left" ] || fail "$how" "processes left: $left"
    [ -z "$(ls -A "$work/tmp")" ] || fail "$how" "files left: $(ls -A "$work/tmp")"
    ! grep -q XDG_RUNTIME_DIR "$work/out" || fail "$how" "$(grep XDG_RUNTIME_DIR "$work/out")"
}

start
runtime=$(environment_of "$window" XDG_RUNTIME_DIR)
case "$runtime" in
"$work"/tmp/*) ;;
*) fail "runtime folder" "XDG_RUNTIME_DIR is \"$runtime\", not in the session's folder" ;;
esac
[ "$(stat -c %a "$runtime" 2>/dev/null)" = 700 ] ||
    fail "runtime folder" "$runtime is not private to its owner"
close_window || fail "close" "wmctrl found no window manager or no window"
finish "closed through the window manager" 0

start
kill -INT -- "-$session"
finish "Ctrl+C" 130

[ "$failed" -eq 0 ] && echo "Headless session: passed"
exit "$failed"
