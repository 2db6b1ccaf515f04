#!/usr/bin/env bash
# Renders each metafile with glyphar-cli, LibreOffice and Inkscape and puts the
# three pictures side by side, labelled, into one PNG per file, for looking.
#   scripts/compare-peers.sh [-o DIR] FILE...
# Writes DIR/NAME.png for each FILE (DIR defaults to build/peers). GLYPHAR_CLI
# names the glyphar-cli to use; otherwise the first of build/release and
# build/test that has one. Skips itself (exit 0) when LibreOffice, Inkscape or
# ImageMagick's montage is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/peers"
if [ "${1:-}" = "-o" ]; then out="$2"; shift 2; fi
if [ $# -eq 0 ]; then echo "usage: $0 [-o DIR] FILE..." >&2; exit 1; fi

for tool in libreoffice inkscape montage; do
  if ! command -v "$tool" >/dev/null; then
    echo "compare-peers: $tool is not installed; skipped." >&2
    exit 0
  fi
done
cli="${GLYPHAR_CLI:-}"
for candidate in "$root/build/release/src/cli/glyphar-cli" "$root/build/test/src/cli/glyphar-cli"; do
  if [ -z "$cli" ] && [ -x "$candidate" ]; then cli="$candidate"; fi
done
if [ -z "$cli" ]; then echo "compare-peers: build glyphar-cli first." >&2; exit 1; fi

width=640
# Labels need a font ImageMagick can find by path.
font="$(fc-match -f '%{file}' sans 2>/dev/null || true)"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A profile of its own, so a running LibreOffice does not take the conversion.
profile="file://$work/lo-profile"
export QT_QPA_PLATFORM=offscreen

# A pink placeholder stands in for a rendering that failed, so the row stays readable.
placeholder() { montage -size "${width}x200" xc:'#f0c0c0' "$1" 2>/dev/null; }

for file in "$@"; do
  name="$(basename "$file")"
  stem="${name%.*}"
  mine="$work/$name-glyphar.png" lo="$work/$name-lo.png" ink="$work/$name-inkscape.png"
  "$cli" convert "$file" "$mine" --width "$width" >/dev/null 2>&1 || placeholder "$mine"
  mkdir -p "$work/lo"
  timeout 120 libreoffice -env:UserInstallation="$profile" --headless --convert-to png \
    --outdir "$work/lo" "$file" >/dev/null 2>&1 || true
  if [ -f "$work/lo/$stem.png" ]; then mv "$work/lo/$stem.png" "$lo"; else placeholder "$lo"; fi
  timeout 120 inkscape "$file" --export-type=png --export-filename="$ink" \
    --export-width="$width" --export-background=white >/dev/null 2>&1 || placeholder "$ink"
  montage ${font:+-font "$font"} -label "glyphar" "$mine" -label "LibreOffice" "$lo" -label "Inkscape" "$ink" \
    -tile 3x1 -geometry "${width}x${width}+6+6" -background '#d8d8d8' \
    -title "$name" "$out/$name.png"
  echo "$out/$name.png"
done
