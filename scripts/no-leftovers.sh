#!/usr/bin/env bash
# no-leftovers.sh --timeout SECONDS COMMAND...: runs a test's COMMAND so that
# nothing it starts can hold the test's output once it has ended.
#
# ctest reads a test's output until every process holding it has closed it,
# so one server or display left behind would stall the whole run. Here
# COMMAND writes to a file of its own instead, which is copied to this
# script's output as it grows. When COMMAND has ended, or run out of
# SECONDS, every process still holding that file is named, ended, and fails
# the test.
set -uo pipefail
readonly kExitGraceSeconds=10

if [ "${1:-}" != --timeout ] || [ $# -lt 3 ]; then
    echo "usage: $0 --timeout SECONDS COMMAND..." >&2
    exit 2
fi
seconds=$2
shift 2

output=$(mktemp "${TMPDIR:-/tmp}/quorl-test-output.XXXXXX")
trap 'rm -f "$output"' EXIT

# The processes with OUTPUT open.
holders() {
    fuser "$output" 2>/dev/null | tr -s ' ' '\n' | grep -v '^$'
}

# Processes that are on their way out get a few seconds to close it.
wait_for_holders_to_end() {
    local _
    for _ in $(seq $((kExitGraceSeconds * 5))); do
        [ -z "$(holders)" ] && return 0
        sleep 0.2
    done
    return 1
}

end_leftovers() {
    local pid pids
    pids=$(holders)
    for pid in $pids; do
        echo "left running after the test: $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    done
    # shellcheck disable=SC2086
    kill -TERM $pids 2>/dev/null
    sleep 2
    pids=$(holders)
    # shellcheck disable=SC2086
    kill -KILL $pids 2>/dev/null
}

timeout --kill-after=10 "$seconds" "$@" </dev/null >"$output" 2>&1 &
command_pid=$!
tail -n +1 -f --pid="$command_pid" "$output" &
tail_pid=$!
wait "$command_pid"
status=$?
wait "$tail_pid"
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "the test did not finish within $seconds s"
fi
if ! wait_for_holders_to_end; then
    end_leftovers
    [ "$status" -eq 0 ] && status=1
fi
exit "$status"
