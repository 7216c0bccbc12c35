# Sourced by every script that runs Wine: the settings all test prefixes and
# sessions share.
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts, and no debugger: a crashing program just
# ends (booting a prefix crashes in a 32-bit helper, and the debugger it
# starts can hang).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
# 64-bit programs go straight to the 64-bit loader: once 32-bit Wine is
# installed, /usr/bin/wine goes through the 32-bit one, under emulation.
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64="$(command -v wine64 || command -v wine)"
