#!/usr/bin/env bash
# Builds the Windows application icon, assets/quorl.ico, with its 16, 32 and
# 48 pixel images rendered from the same drawing as the Linux icon. The icon
# is committed; run this after changing assets/quorl.svg.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ensure_packages librsvg2-bin icoutils
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48; do
    rsvg-convert --width "$size" --height "$size" assets/quorl.svg --output "$work/$size.png"
done
icotool --create --output assets/quorl.ico "$work/16.png" "$work/32.png" "$work/48.png"
echo "Wrote assets/quorl.ico"
