#!/usr/bin/env bash
# The program started with no display at all says so in one line on stderr,
# naming the variables and ./run's VNC mode, and exits with code 1.
# Usage: no_display_test.sh PROGRAM
set -uo pipefail
program=$1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

# The arm64 build's program runs under qemu-user, which keeps its libraries'
# prefix in QEMU_LD_PREFIX (scripts/run-arm64.sh).
env -i HOME="${HOME:-/root}" ${QEMU_LD_PREFIX:+QEMU_LD_PREFIX="$QEMU_LD_PREFIX"} \
    timeout 10 "$program" >/dev/null 2>"$errors"
status=$?

failed=0
if [ "$status" -ne 1 ]; then
    echo "exit code $status, expected 1"
    failed=1
fi
if [ "$(wc -l <"$errors")" -ne 1 ]; then
    echo "expected exactly one line on stderr"
    failed=1
fi
for word in DISPLAY WAYLAND_DISPLAY ./run VNC; do
    if ! grep -qF "$word" "$errors"; then
        echo "stderr does not name $word"
        failed=1
    fi
done
[ "$failed" -eq 0 ] || { echo "stderr was:"; cat "$errors"; }
[ "$failed" -eq 0 ] && echo "no display: passed"
exit "$failed"
