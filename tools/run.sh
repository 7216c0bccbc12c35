#!/usr/bin/env bash
# Builds the 64-bit program and runs it under Wine: without arguments the
# configuration editor, with any argument the launcher (tools/run.sh start).
# On a machine without a display it runs on a virtual one for a few seconds
# and saves a screenshot to build/run-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Trellisbourne

export WINEPREFIX="${WINEPREFIX:-$root/build/run-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
bash tools/wine-prefix.sh "$WINEPREFIX"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$root/build/win64/Trellisbourne.exe" "$@"
fi

display_file=$(mktemp)
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$display_file" 2>/dev/null &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$display_file")"
echo "No display: running on the virtual display $DISPLAY for at most 15 seconds."
wine "$root/build/win64/Trellisbourne.exe" "$@" &
program=$!
for _ in $(seq 150); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
/usr/bin/import -window root "$root/build/run-screenshot.png" 2>/dev/null &&
  echo "Screenshot: build/run-screenshot.png"
