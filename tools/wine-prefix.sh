#!/usr/bin/env bash
# wine-prefix.sh DIR: makes DIR a ready 64-bit Wine prefix, once; safe to run
# from several tests at the same time.
set -euo pipefail
prefix="$1"
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.ready" ]; then
  rm -rf "$prefix"
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  # Without a window manager Wine waits on every hidden window unless it
  # leaves window management alone.
  WINEPREFIX="$prefix" WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.ready"
fi
