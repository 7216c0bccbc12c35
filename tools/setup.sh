#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Trellisbourne.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for pkg in cmake ninja-build g++ clang libclang-rt-dev libgtest-dev libbenchmark-dev \
           g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
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
