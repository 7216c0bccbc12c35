#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Trellisbourne.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for pkg in cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev \
           g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 \
           wine wine64 xvfb imagemagick python3; do
  have_pkg "$pkg" || need+=("$pkg")
done

if [ "${#need[@]}" -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${need[*]}; run as root to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The posix thread model gives std::thread-free code the same runtime as the
# tests expect; choose it explicitly so a machine with both models agrees.
for arch in x86_64 i686; do
  for tool in g++ gcc; do
    alt="/usr/bin/${arch}-w64-mingw32-${tool}-posix"
    if [ -x "$alt" ] && [ "$(readlink -f "/usr/bin/${arch}-w64-mingw32-${tool}")" != "$(readlink -f "$alt")" ]; then
      update-alternatives --set "${arch}-w64-mingw32-${tool}" "$alt" >/dev/null 2>&1 || true
    fi
  done
done
