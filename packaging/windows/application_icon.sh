#!/usr/bin/env bash
# application_icon.sh PROGRAM: the program carries one application icon with
# images of 16, 32 and 48 pixels.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

groups=$(wrestool --list --type=group_icon "$program" | wc -l)
[ "$groups" -eq 1 ] || { echo "expected one icon, found $groups"; exit 1; }
wrestool --extract --type=group_icon --output="$work/icon.ico" "$program"
sizes=$(icotool --list "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' |
    sort -n | tr '\n' ' ')
echo "icon images: $sizes"
[ "$sizes" = "16x16 32x32 48x48 " ]
