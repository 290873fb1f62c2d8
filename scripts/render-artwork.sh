#!/usr/bin/env bash
# Renders the artwork sources in html/artwork/ into the files the program ships.
# Run after changing a source; the rendered files are committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
src=$root/html/artwork
icons=$root/html/angular/icons
images=$root/html/angular/images
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The sources name their font by family; the page's own faces come from Debian's packages.
[ "$(fc-match -f '%{family[0]}' 'Quicksand:bold')" = Quicksand ] || { echo "fonts-quicksand is missing: run scripts/setup.sh" >&2; exit 1; }

# Window artwork, drawn at the window's own size.
for name in minimize-normal minimize-hover minimize-pressed close-normal close-hover close-pressed; do
  rsvg-convert -w 36 -h 30 "$src/$name.svg" -o "$icons/$name.png"
done
for size in 16 32 48; do
  rsvg-convert -w "$size" -h "$size" "$src/shield.svg" -o "$tmp/shield-$size.png"
done
icotool -c -o "$icons/enabled.ico" "$tmp"/shield-16.png "$tmp"/shield-32.png "$tmp"/shield-48.png

# Page pictures, at twice the size the style sheet shows them, for high-density screens.
mkdir -p "$images"
for name in logo ico05 ico06 ico07 ico08 ico09 ico10 ico11 ico12 ico13 ico14 ico15 ico16 repair remove; do
  rsvg-convert -z 2 "$src/$name.svg" -o "$images/$name.png"
done
# The offer picture is a photograph-like panel: shipped as JPEG, also at twice its size.
rsvg-convert -z 2 -b '#ffffff' "$src/tessa.svg" -o "$tmp/tessa.png"
convert "$tmp/tessa.png" -strip -quality 90 "$images/tessa.jpg"
