#!/usr/bin/env bash
# Runs one Windows test program under 64-bit Wine, in a prefix kept beside the
# build (WINEPREFIX may name another). The prefix is made on first use.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build/win64/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
"$here/wine-prefix.sh" "$WINEPREFIX"
exec wine "$@"
