#!/usr/bin/env bash
# Exchanges pictures between this editor and LibreOffice Draw and Inkscape on
# a real X11 clipboard under Xvfb, and prints what each side got:
#   1. a selection copied here, pasted into LibreOffice Draw (UNO)
#   2. the same, pasted into Inkscape (driven with xdotool, saved as SVG)
#   3. two shapes copied in LibreOffice Draw, pasted here
# Not part of CI. Skips itself when a program it needs is missing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian's UNO bridge is built for the system's Python.
py=/usr/bin/python3
[ -x "$py" ] || py=python3

if [ "${1:-}" != "--inside" ]; then
  for program in xvfb-run xdotool soffice inkscape python3 cmake; do
    command -v "$program" >/dev/null || { echo "skipped: $program is not installed"; exit 0; }
  done
  "$py" -c 'import uno' 2>/dev/null || { echo "skipped: python3-uno is not installed"; exit 0; }
  build="${GLYPHAR_BENCH_BUILD:-$root/build/bench}"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLYPHAR_BENCH=ON \
        -DGLYPHAR_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target glyphar_clipboard_probe >/dev/null
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export PROBE="$build/bench/view/glyphar_clipboard_probe"
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" --inside "$work"
fi

work=$2
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
here="$root/scripts/interop"
"$py" "$here/sample_emf.py" "$work/sample.emf"
port=2002
soffice --invisible --norestore --nologo "-env:UserInstallation=file://$work/lo" \
        "--accept=socket,host=localhost,port=$port;urp;" >/dev/null 2>&1 &
office=$!
stop() { kill "$office" 2>/dev/null || true; wait "$office" 2>/dev/null || true; }
trap stop EXIT

echo "== 1. copied here (the first graphic), pasted into LibreOffice Draw"
"$PROBE" copy "$work/sample.emf" first 120 >"$work/copy.txt" &
probe=$!
sleep 3
cat "$work/copy.txt"
timeout 120 "$py" "$here/lo_clipboard.py" "$port" paste || echo "LibreOffice paste failed"

echo "== 2. the same, pasted into Inkscape"
cat >"$work/ink.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm" viewBox="0 0 210 297"></svg>
SVG
inkscape --with-gui "$work/ink.svg" >/dev/null 2>&1 &
ink=$!
if window=$(timeout 90 xdotool search --sync --onlyvisible --name "ink.svg" | head -1); then
  sleep 10
  # No window manager: focus the window directly.
  xdotool windowfocus "$window" || true
  xdotool mousemove --window "$window" 400 400 click 1 || true
  xdotool key ctrl+v || true
  sleep 5
  xdotool key ctrl+s || true
  sleep 3
  xdotool key ctrl+q || true
fi
sleep 2
kill "$ink" 2>/dev/null || true
wait "$ink" 2>/dev/null || true
echo "Inkscape's SVG now holds:"
for element in path rect ellipse polygon image text; do
  echo "  <$element>: $(grep -oE "<$element(\s|>|$)" "$work/ink.svg" | wc -l)"
done
kill "$probe" 2>/dev/null || true
wait "$probe" 2>/dev/null || true

echo "== 3. copied in LibreOffice Draw, pasted here"
timeout 120 "$py" "$here/lo_clipboard.py" "$port" copy || echo "LibreOffice copy failed"
sleep 2
"$PROBE" paste "$work/pasted.emf" || echo "paste here failed"
