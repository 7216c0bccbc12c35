#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and release
# Trellisbourne, including 32-bit Wine under QEMU user-mode emulation (this
# kernel runs no 32-bit code). Idempotent: when everything is present it only
# checks and returns.
#
# It writes build/win32-runnable: "yes", or "no: <reason>" when 32-bit
# programs cannot be run here (the 32-bit tests then report themselves
# skipped with that reason).
set -euo pipefail
cd "$(dirname "$0")/.."

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
as_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: $1; run as root to install it" >&2
    exit 1
  fi
}
updated=no
apt_install() {
  export DEBIAN_FRONTEND=noninteractive
  if [ "$updated" = no ]; then
    apt-get update -qq
    updated=yes
  fi
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

need=()
for pkg in cmake ninja-build g++ clang lld llvm libclang-rt-dev libgtest-dev libbenchmark-dev \
           g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
           g++-mingw-w64-i686-win32 \
           wine wine64 xvfb imagemagick python3 fonts-wine wixl wixl-data msitools \
           qemu-user-static; do
  have_pkg "$pkg" || need+=("$pkg")
done
if [ "${#need[@]}" -gt 0 ]; then
  as_root "missing packages: ${need[*]}"
  apt_install "${need[@]}"
fi

# 32-bit Wine: the i386 packages, and without the preloader every 32-bit start
# fails after a minute ("failed to map the shared user data").
if ! have_pkg wine32:i386 || ! have_pkg wine32-preloader:i386; then
  as_root "32-bit Wine (wine32:i386) is missing"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=no
  fi
  apt_install wine32:i386 wine32-preloader:i386
fi

# The kernel hands 32-bit ELF programs to QEMU only once the format is
# registered; Debian does not register i386 on an amd64 host.
mkdir -p build
runnable=yes
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  if [ -w "$binfmt/register" ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:FP' \
      >"$binfmt/register" 2>/dev/null || runnable="no: writing $binfmt/register failed"
  else
    runnable="no: $binfmt cannot be mounted or written here"
  fi
fi
if [ "$runnable" = yes ] && ! grep -qx enabled "$binfmt/qemu-i386" 2>/dev/null; then
  runnable="no: the i386 format is registered but not enabled"
fi
echo "$runnable" >build/win32-runnable
if [ "$runnable" != yes ]; then
  echo "setup: 32-bit programs cannot run here ($runnable); their tests will be skipped" >&2
fi
