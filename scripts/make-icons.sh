#!/usr/bin/env bash
# Renders the program icon from its SVG source into the PNG sizes that are committed beside
# it (the window icon and the installed hicolor sizes). Run after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${ICON_PACKAGES[@]}"
source=resources/icons/custodex-calendar.svg
sizes=(16 22 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    rsvg-convert --width "$size" --height "$size" "$source" \
        --output "resources/icons/png/custodex-calendar-$size.png"
done
echo "Rendered ${sizes[*]} from $source"
