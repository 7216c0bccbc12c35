#!/usr/bin/env bash
# Runs one Windows test program under 64-bit Wine. Inside a test run the
# prefix and display come from TRELLIS_WINE_DIR (see wine-env.sh); run by hand
# it uses the prefix build/win64/wineprefix (never the caller's WINEPREFIX) and
# DISPLAY, or a virtual display of its own when there is none.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine-vars.sh
. "$here/wine-vars.sh"

if [ -n "${TRELLIS_WINE_DIR:-}" ] && [ -s "$TRELLIS_WINE_DIR/display" ]; then
  export WINEPREFIX="$TRELLIS_WINE_DIR/prefix"
  export DISPLAY=":$(head -n 1 "$TRELLIS_WINE_DIR/display")"
  exec "$WINE64" "$@"
fi

export WINEPREFIX="$here/../build/win64/wineprefix"
bash "$here/wine-prefix.sh" "$WINEPREFIX"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE64" "$@"
fi
own=$(mktemp -d)
trap 'bash "$here/wine-env.sh" stop "$own" >/dev/null; rm -rf "$own"' EXIT
ln -s "$WINEPREFIX" "$own/prefix"
bash "$here/wine-env.sh" start "$own" >/dev/null
export DISPLAY=":$(head -n 1 "$own/display")"
"$WINE64" "$@"
