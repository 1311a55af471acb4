#!/usr/bin/env bash
# Two runs of scripts/release.sh on the same commit give the same bytes: each
# from a clone of its own, in folders of different names and depths, with
# another umask, time zone and language, one after the other. On a
# difference it names the file and where it differs (with diffoscope when
# installed).
# Usage: release_reproducible_test.sh SOURCE_FOLDER [RELEASE_OPTIONS...]
set -uo pipefail
source_folder=$1
shift
options=("$@")

command -v git >/dev/null || { echo "SKIPPED: needs git"; exit 0; }
git -C "$source_folder" rev-parse HEAD >/dev/null 2>&1 ||
    { echo "SKIPPED: $source_folder is not a git checkout"; exit 0; }

# The arm64 package needs the arm64 root, which ./test makes while the rest
# builds and runs: wait for it, and where it could not be made, skip as the
# package's own check does.
if [[ " ${options[*]} " == *" arm64 "* ]] && [ "$(id -u)" -eq 0 ]; then
    arm64_root=$("$source_folder/scripts/arm64-root.sh" --wait) ||
        { echo "SKIPPED: $arm64_root"; exit 0; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# release CLONE OUT UMASK TZ LANG: one release from a fresh clone.
release() {
    local clone=$1 out=$2
    mkdir -p "$(dirname "$clone")"
    git clone -q "$source_folder" "$clone" || return 1
    (umask "$3" && TZ=$4 LANG=$5 LC_ALL=$5 "$clone/scripts/release.sh" "${options[@]}" "$out") >"$out.log" 2>&1 ||
        { echo "FAILED: release.sh in $clone:"; tail -n 30 "$out.log"; return 1; }
}

release "$work/a" "$work/out-a" 022 UTC C.UTF-8 || exit 1
sleep 1 # another second on the clock
release "$work/second/clone/b" "$work/out-b" 077 Pacific/Kiritimati de_DE.UTF-8 || exit 1

if cmp -s "$work/out-a/SHA256SUMS" "$work/out-b/SHA256SUMS"; then
    cat "$work/out-a/SHA256SUMS"
    echo "Reproducible release: passed"
    exit 0
fi

echo "FAILED: the two releases differ"
diff "$work/out-a/SHA256SUMS" "$work/out-b/SHA256SUMS"
# The members of each archive, with their times, owners and modes.
listing() {
    case "$1" in
    *.deb) dpkg-deb -c "$1" ;;
    *) cmake -E tar tvf "$1" ;;
    esac
}
for file in "$work"/out-a/*; do
    name=${file##*/}
    [ "$name" = SHA256SUMS ] && continue
    cmp -s "$file" "$work/out-b/$name" && continue
    echo "== $name: $(cmp "$file" "$work/out-b/$name" 2>&1 | head -n 1)"
    if command -v diffoscope >/dev/null; then
        diffoscope --text - "$file" "$work/out-b/$name" | head -n 200
    else
        diff <(listing "$file") <(listing "$work/out-b/$name") | head -n 50
    fi
done
exit 1
