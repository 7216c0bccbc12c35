#!/usr/bin/env bash
# release.sh: builds the 32-bit program and writes everything a user downloads
# to dist/ (run tools/setup.sh once before):
#   Trellisbourne-<version>-win32.zip   the program, README.txt, LICENSE.txt, CHANGELOG.txt
#   Trellisbourne-<version>.msi         per-user installer, no administrator rights
#   Trellisbourne-<version>-allusers.msi  per-machine installer for administrators
#   SHA256SUMS
# The version is the one in CMakeLists.txt's project(VERSION). Only the 32-bit
# program ships: the 64-bit one gets no file virtualisation, so a standard user
# could not save the list with it (its packages are built under build/ for the
# tests only).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Trellisbourne StopLaunchers >/dev/null
bin="$root/build/win32"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$bin/CMakeCache.txt")
[ -n "$version" ] || { echo "release: no project version in $bin/CMakeCache.txt" >&2; exit 1; }
python3 tools/check-win32.py "$bin/Trellisbourne.exe" "$version"

dist="$root/dist"
rm -rf "$dist"
mkdir -p "$dist"
python3 tools/package.py zip --version "$version" --bin "$bin" \
  --out "$dist/Trellisbourne-$version-win32.zip"
python3 tools/package.py msi --version "$version" --bin "$bin" --variant peruser --arch x86 \
  --out "$dist/Trellisbourne-$version.msi"
python3 tools/package.py msi --version "$version" --bin "$bin" --variant allusers --arch x86 \
  --out "$dist/Trellisbourne-$version-allusers.msi"
python3 tools/package.py sums "$dist"
(cd "$dist" && ls -l && cat SHA256SUMS)
