#!/usr/bin/env bash
# footprint.sh [WIN64_BUILD_DIR] [WIN32_BUILD_DIR]
# Prints the size of both builds of Trellisbourne.exe with the linker map's
# breakdown of the 32-bit one, then, in a Wine session of its own for each
# build, the time from start to tray icon and the memory and CPU time of a
# launcher waiting 30 s on a record of Delay 300, beside the same figures of
# the floor program (bench/tray_floor_win.cpp) and the launcher's ratio to it.
# The 32-bit programs run under QEMU's emulation here: their times and CPU
# figures are the emulator's, not a real 32-bit Windows'. Set FOOTPRINT_32=0
# to leave them out. Defaults: build/win64 and build/win32.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
win64="$(realpath -m "${1:-$root/build/win64}")"
win32="$(realpath -m "${2:-$root/build/win32}")"
size_goal=184320  # 180 KiB

size_of() {
  local exe="$1/Trellisbourne.exe"
  if [ -f "$exe" ]; then
    printf '%-8s Trellisbourne.exe: %8d bytes  (%s)\n' "$2" "$(stat -c %s "$exe")" "$exe"
  else
    printf '%-8s Trellisbourne.exe: not built (%s)\n' "$2" "$exe"
  fi
}

[ -d "$win32" ] && timeout 600 cmake --build "$win32" --target Trellisbourne tray_floor >/dev/null
timeout 600 cmake --build "$win64" --target Trellisbourne tray_floor footprint >/dev/null
size_of "$win32" "32-bit"
size_of "$win64" "64-bit"
if [ -f "$win32/Trellisbourne.exe" ]; then
  size32="$(stat -c %s "$win32/Trellisbourne.exe")"
  if [ "$size32" -le "$size_goal" ]; then verdict="within"; else verdict="ABOVE"; fi
  echo "32-bit program: $size32 bytes, $verdict the goal of $size_goal bytes (180 KiB)"
  [ -f "$win32/Trellisbourne.map" ] && python3 "$here/size-map.py" "$win32/Trellisbourne.map" --top 10
fi

measure() {
  TRELLIS_EXE="$1/Trellisbourne.exe" TRELLIS_FLOOR="$1/bench/tray_floor.exe" E2E_TIMEOUT="$2" \
    "$here/e2e-session.sh" "$win64/tests/e2e/footprint.exe"
}

echo
echo "64-bit launcher under Wine (memory figures include Wine's own libraries):"
measure "$win64" 240
if [ "${FOOTPRINT_32:-1}" != 0 ] && [ -f "$win32/Trellisbourne.exe" ]; then
  echo
  echo "32-bit launcher under Wine and QEMU (times and CPU figures are emulated):"
  measure "$win32" 600
fi
