#!/usr/bin/env bash
# Renders the application icon's three images from assets/quorl.svg. The
# images are committed; run this after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ensure_packages librsvg2-bin
for size in 16 32 48; do
    rsvg-convert --width "$size" --height "$size" assets/quorl.svg --output "assets/quorl-$size.png"
done
echo "Wrote assets/quorl-16.png, assets/quorl-32.png, assets/quorl-48.png"
