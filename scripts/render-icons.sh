#!/usr/bin/env bash
# Renders the icon drawings of src/ui/icons/*.svg to the 64 x 64 PNG files the
# program holds as resources. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for svg in "$root"/src/ui/icons/*.svg; do
  rsvg-convert -w 64 -h 64 "$svg" -o "${svg%.svg}.png"
done
