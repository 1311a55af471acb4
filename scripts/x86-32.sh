#!/usr/bin/env bash
# x86-32.sh COMMAND...: runs COMMAND where 32-bit x86 programs (and so Wine)
# can run: on this machine when it can run them, else inside the emulated
# x86-64 machine of scripts/in-x86-vm.sh when that is installed, else exits
# 77 (ctest's skip code) saying why.
#
# Emulated runs are serialized per build folder: each boots its own small
# machine, and they share the build folder's Wine prefixes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
readonly kSkip=77

if "$here/wine-run.sh" --probe >/dev/null || [ -n "${QUORL_IN_X86_VM:-}" ]; then
    exec "$@"
fi
reason=$("$here/wine-run.sh" --probe) || true
if ! "$here/in-x86-vm.sh" --check >/dev/null 2>&1; then
    echo "$reason"
    echo "No emulated x86 machine to run it in either: $("$here/in-x86-vm.sh" --check 2>&1 || true)"
    exit $kSkip
fi
lock=${QUORL_X86_VM_LOCK:-$PWD/x86-vm.lock}
exec 9>"$lock"
flock 9
exec "$here/in-x86-vm.sh" "$@"
