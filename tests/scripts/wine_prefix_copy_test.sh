#!/usr/bin/env bash
# Copies of a base Wine prefix made by scripts/wine-run.sh --copy-of, after
# interrupted earlier runs: the copy must come out whole and unnested, and a
# finished prefix must be left alone. Needs no Wine: the base is a stand-in.
# Usage: wine_prefix_copy_test.sh WINE_RUN SCRATCH_FOLDER
set -euo pipefail
wine_run=$1
scratch=$2

rm -rf "$scratch"
mkdir -p "$scratch/base/drive_c"
echo base >"$scratch/base/system.reg"
echo base >"$scratch/base/drive_c/marker"
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "passed: $what"
    else
        echo "FAILED: $what"
        failed=1
    fi
}
is_whole_copy() {
    [ -f "$1/system.reg" ] && [ -f "$1/drive_c/marker" ] && [ ! -e "$1/base" ] &&
        [ ! -e "$1/drive_c/drive_c" ]
}
no_drafts() {
    ! compgen -G "$1.draft.*" >/dev/null
}

# A copy interrupted half-way left a draft behind.
mkdir -p "$scratch/copy.draft.old/drive_c"
"$wine_run" --create --copy-of "$scratch/base" "$scratch/copy"
check "a copy after an interrupted one is whole" is_whole_copy "$scratch/copy"
check "the interrupted draft is gone" no_drafts "$scratch/copy"

# An older run left a half-made prefix under the final name.
mkdir -p "$scratch/half/drive_c"
"$wine_run" --create --copy-of "$scratch/base" "$scratch/half"
check "a half-made prefix is replaced by a whole copy" is_whole_copy "$scratch/half"

# A finished prefix is used as it is, not copied again.
echo mine >"$scratch/copy/drive_c/mine"
"$wine_run" --create --copy-of "$scratch/base" "$scratch/copy"
check "a finished prefix is kept" test -f "$scratch/copy/drive_c/mine"

rm -rf "$scratch"
exit $failed
