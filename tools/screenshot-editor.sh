#!/usr/bin/env bash
# screenshot-editor.sh [WIN64_BUILD_DIR] [OUT_PNG]
# Takes a picture of the configuration editor: builds the 64-bit program (or
# takes the one in WIN64_BUILD_DIR), starts it under Wine on a private virtual
# display with a sample configuration, selects a record so that the controls
# show its values, and writes the editor's window, cropped from the screen, to
# OUT_PNG. Defaults: build/win64 and docs/editor.png.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$(realpath -m "${1:-$root/build/win64}")"
out="$(realpath -m "${2:-$root/docs/editor.png}")"
# /usr/local/bin/convert may be something else: use imagemagick's own.
convert=/usr/bin/convert

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset win64 -S "$root" -B "$build" >/dev/null
fi
timeout 600 cmake --build "$build" --target Trellisbourne editor_screenshot >/dev/null

work="$(mktemp -d /tmp/editor-shot-XXXXXX)"
trap 'rm -rf "$work"' EXIT
TRELLIS_EXE="$build/Trellisbourne.exe" E2E_TIMEOUT=120 E2E_KEEP_SCREEN="$work/screen.png" \
  "$here/e2e-session.sh" "$build/tests/e2e/editor_screenshot.exe" >"$work/frame.txt"

read -r word x y width height < <(tr -d '\r' <"$work/frame.txt" | grep '^frame ')
[ "$word" = frame ] || { echo "screenshot-editor: no frame rectangle" >&2; exit 1; }
[ -s "$work/screen.png" ] || { echo "screenshot-editor: no screenshot was taken" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
"$convert" "$work/screen.png" -crop "${width}x${height}+${x}+${y}" +repage "$out"
echo "$out: ${width}x${height}"
