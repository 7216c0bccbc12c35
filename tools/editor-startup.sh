#!/usr/bin/env bash
# editor-startup.sh [WIN64_BUILD_DIR] [RUNS]
# Prints how long the configuration editor takes under Wine from process start
# to its window being shown, with 20 and with 1000 configured applications,
# RUNS times each (default 5). Not a test: the figures depend on the machine.
# Builds what it needs in WIN64_BUILD_DIR (default build/win64).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$(realpath -m "${1:-$root/build/win64}")"
runs="${2:-5}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset win64 -S "$root" -B "$build" >/dev/null
fi
timeout 600 cmake --build "$build" --target Trellisbourne editor_startup >/dev/null
TRELLIS_EXE="$build/Trellisbourne.exe" E2E_TIMEOUT=240 \
  "$here/e2e-session.sh" "$build/tests/e2e/editor_startup.exe" "$runs" | tr -d '\r'
