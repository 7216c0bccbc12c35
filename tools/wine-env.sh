#!/usr/bin/env bash
# wine-env.sh start|stop DIR: one Wine prefix and one virtual display for a
# test run, kept in DIR (DIR/prefix, DIR/display, DIR/xvfb.pid). The unit tests
# under Wine share them; `stop` ends the prefix's processes and the display.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
action="$1"
dir="$2"
mkdir -p "$dir"

case "$action" in
start)
  "$0" stop "$dir"
  bash "$here/wine-prefix.sh" "$dir/prefix"
  rm -f "$dir/display"
  # Detached, with no inherited output, so the caller does not wait for it.
  setsid Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$dir/display" </dev/null >/dev/null 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "wine-env: Xvfb did not start" >&2; exit 1; }
  echo "wine-env: prefix $dir/prefix on display :$(head -n 1 "$dir/display")"
  ;;
stop)
  if [ -d "$dir/prefix" ]; then WINEPREFIX="$dir/prefix" wineserver -k 2>/dev/null || true; fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/display"
  ;;
*)
  echo "usage: wine-env.sh start|stop DIR" >&2
  exit 2
  ;;
esac
