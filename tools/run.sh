#!/usr/bin/env bash
# Builds the 64-bit program and runs it under Wine: without arguments the
# configuration editor, with any argument the launcher (tools/run.sh start).
# It keeps its own Wine prefix in build/run-env. On a machine without a
# display it runs on a virtual one for at most 15 seconds and saves a
# screenshot to build/run-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Trellisbourne

env_dir="$root/build/run-env"
export WINEPREFIX="$env_dir/prefix"
# shellcheck source=wine-vars.sh
. tools/wine-vars.sh
program="$root/build/win64/Trellisbourne.exe"

if [ -n "${DISPLAY:-}" ]; then
  bash tools/wine-prefix.sh "$WINEPREFIX"
  exec "$WINE64" "$program" "$@"
fi

trap 'bash "$root/tools/wine-env.sh" stop "$env_dir" >/dev/null' EXIT
bash tools/wine-env.sh start "$env_dir" >/dev/null
export DISPLAY=":$(head -n 1 "$env_dir/display")"
echo "No display: running on the virtual display $DISPLAY for at most 15 seconds."
"$WINE64" "$program" "$@" &
running=$!
for _ in $(seq 150); do
  kill -0 "$running" 2>/dev/null || break
  sleep 0.1
done
/usr/bin/import -window root "$root/build/run-screenshot.png" 2>/dev/null &&
  echo "Screenshot: build/run-screenshot.png"
