#!/usr/bin/env bash
# run-arm64.sh PREFIX PROGRAM [ARGS...]: runs an arm64 program under
# qemu-user with the loader and libraries under PREFIX (QEMU_LD_PREFIX, which
# the arm64 programs it starts inherit: binfmt_misc runs them under qemu-user
# too). Exits 77 (ctest's skip code) saying why when arm64 programs cannot
# run here.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PREFIX PROGRAM [ARGS...]" >&2; exit 2; }
emulator=$("$(dirname "$0")/qemu_arm64.sh" --probe) || { echo "SKIPPED: $emulator"; exit 77; }
export QEMU_LD_PREFIX=$1
shift
# Qt checks that its plugin folder exists with access(), which qemu-user does
# not look up under the prefix, as it does open(): name the folder outright.
export QT_PLUGIN_PATH=$QEMU_LD_PREFIX/usr/lib/aarch64-linux-gnu/qt6/plugins
exec "$emulator" "$@"
