#!/usr/bin/env bash
# footprint.sh [WIN64_BUILD_DIR] [WIN32_BUILD_DIR]
# Prints the size of both builds of Trellisbourne.exe, and for the 64-bit one
# (the only one this machine can run) the time from start to tray icon and the
# working set and CPU time of a launcher waiting 30 s on a record of Delay 300.
# Defaults: build/win64 and build/win32. Builds what it needs in the 64-bit
# build directory.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
win64="$(realpath -m "${1:-$root/build/win64}")"
win32="$(realpath -m "${2:-$root/build/win32}")"

size_of() {
  local exe="$1/Trellisbourne.exe"
  if [ -f "$exe" ]; then
    printf '%-8s Trellisbourne.exe: %8d bytes  (%s)\n' "$2" "$(stat -c %s "$exe")" "$exe"
  else
    printf '%-8s Trellisbourne.exe: not built (%s)\n' "$2" "$exe"
  fi
}

[ -d "$win32" ] && timeout 600 cmake --build "$win32" --target Trellisbourne >/dev/null
timeout 600 cmake --build "$win64" --target Trellisbourne footprint >/dev/null
size_of "$win32" "32-bit"
size_of "$win64" "64-bit"

echo "64-bit launcher under Wine (memory figures include Wine's own libraries):"
TRELLIS_EXE="$win64/Trellisbourne.exe" E2E_TIMEOUT=120 \
  "$here/e2e-session.sh" "$win64/tests/e2e/footprint.exe"
