#!/usr/bin/env bash
# wine-prefix.sh DIR: makes DIR a ready 64-bit Wine prefix, once; safe to run
# from several tests at the same time. It only ever replaces a prefix it made
# itself: any other non-empty DIR is refused, never deleted.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine-vars.sh
. "$here/wine-vars.sh"
prefix="$1"
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
# The marker names the settings below and the Wine version, so a prefix made
# with older ones is made anew.
marker="$prefix/.ready-4-$("$WINE64" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '_')"
stamp="$prefix/.trellisbourne-prefix"
if [ ! -f "$marker" ]; then
  # Prefixes made before the stamp existed carry a .ready marker instead.
  if [ -d "$prefix" ] && [ ! -f "$stamp" ] && [ -n "$(ls -A "$prefix")" ] &&
     ! compgen -G "$prefix/.ready*" >/dev/null; then
    echo "wine-prefix: $prefix is not a prefix these scripts made; not touching it" >&2
    exit 1
  fi
  rm -rf "$prefix"
  mkdir -p "$prefix"
  touch "$stamp"
  WINEPREFIX="$prefix" "$WINE64" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  # Windows' own fonts, so dialogs get Windows' metrics and the caption
  # buttons draw as buttons: Debian's Wine does not look for them by itself.
  # MS Sans Serif is the bitmap font: the outline one is wider, and the
  # dialog's labels no longer fit.
  for font in marlett.ttf sserife.fon tahoma.ttf tahomabd.ttf; do
    cp /usr/share/wine/fonts/"$font" "$prefix/drive_c/windows/Fonts/"
  done
  # Without a window manager Wine waits on every hidden window unless it
  # leaves window management alone.
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crashing program ends with a backtrace on the console instead of
  # waiting for a click in Wine's crash dialog.
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  touch "$marker"
fi
