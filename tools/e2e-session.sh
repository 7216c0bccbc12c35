#!/usr/bin/env bash
# e2e-session.sh PROGRAM [ARGS...]
# Runs one 64-bit Windows test program under Wine in a session of its own: a
# fresh Wine prefix (a copy of a booted template) and a private Xvfb display.
# Whatever happens, the prefix's processes, the X server and the prefix are
# gone when the script returns; its exit code is the test program's.
#
# Environment:
#   E2E_TIMEOUT        seconds the program may run (default 240; keep it below
#                      the ctest TIMEOUT so the clean-up here still runs)
#   E2E_TEMPLATE       template prefix (default /tmp/wp-e2e-template), made
#                      once with tools/wine-prefix.sh and then only copied
#   E2E_LOCAL_DATE     "other": the session's time zone puts the local date a
#                      day away from the UTC date (UTC+14 from 10:00 UTC on,
#                      else UTC-11), so a program that uses the local date
#                      where it should use the UTC one is caught
#   E2E_KEEP_SCREEN    if set, a screenshot of the display is written there
#                      just before the session ends
#   E2E_WIN32_RUNNABLE the file tools/setup.sh writes (build/win32-runnable),
#                      for sessions that run a 32-bit program: where it says
#                      "no: <reason>", the session is skipped (exit code 77)
set -uo pipefail

if [ "$#" -lt 1 ]; then
  echo "usage: $0 PROGRAM [ARGS...]" >&2
  exit 2
fi

here="$(cd "$(dirname "$0")" && pwd)"
if [ -n "${E2E_WIN32_RUNNABLE:-}" ]; then
  runnable="$(head -n 1 "$E2E_WIN32_RUNNABLE" 2>/dev/null || true)"
  case "$runnable" in
  yes)
    if ! grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
      echo "e2e-session: 32-bit programs are no longer registered with QEMU; run tools/setup.sh" >&2
      exit 1
    fi
    ;;
  no:*)
    echo "e2e-session: skipped: 32-bit programs cannot run here (${runnable#no: })"
    exit 77
    ;;
  *)
    echo "e2e-session: $E2E_WIN32_RUNNABLE is missing; run tools/setup.sh" >&2
    exit 1
    ;;
  esac
fi
if [ ! -f "$1" ]; then
  echo "e2e-session: no $1 (the 32-bit sessions use the win64 preset's build)" >&2
  exit 1
fi
run_timeout="${E2E_TIMEOUT:-240}"
template="${E2E_TEMPLATE:-/tmp/wp-e2e-template}"

prefix=""
xvfb_pid=""
display_file=""
runner_pid=""

cleanup() {
  local rc=$?
  trap - EXIT INT TERM HUP
  if [ -n "$runner_pid" ]; then
    kill "$runner_pid" 2>/dev/null || true
    wait "$runner_pid" 2>/dev/null || true
  fi
  if [ -n "${E2E_KEEP_SCREEN:-}" ] && [ -n "${DISPLAY:-}" ]; then
    timeout 10 import -window root "$E2E_KEEP_SCREEN" >/dev/null 2>&1 || true
  fi
  if [ -n "$prefix" ] && [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" timeout 15 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" timeout 15 wineserver -w >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  [ -n "$display_file" ] && rm -f "$display_file"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# shellcheck source=wine-vars.sh
. "$here/wine-vars.sh"
if [ "${E2E_LOCAL_DATE:-}" = "other" ]; then
  # POSIX TZ signs are inverted: "XYZ-14" is UTC+14. The switch hour leaves an
  # hour of margin either way for the session to run.
  if [ "$((10#$(date -u +%H)))" -ge 10 ]; then export TZ="XYZ-14"; else export TZ="XYZ+11"; fi
fi

# The template is booted once (about 10 s); every session copies it, which is
# much faster and gives each session a prefix no other process knows.
timeout 120 "$here/wine-prefix.sh" "$template" || { echo "e2e-session: cannot make $template" >&2; exit 1; }
prefix="$(mktemp -d /tmp/wp-e2e-XXXXXX)" || exit 1
# A shared lock: the template cannot be made anew while it is being copied.
(
  flock -s 9
  timeout 120 cp -a "$template/." "$prefix/"
) 9>"$template.lock" || { echo "e2e-session: cannot copy the template prefix" >&2; exit 1; }
export WINEPREFIX="$prefix"

# Xvfb picks a free display and writes its number to fd 3.
display_file="$(mktemp /tmp/e2e-display-XXXXXX)" || exit 1
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
display_number=""
for _ in $(seq 100); do
  display_number="$(head -n1 "$display_file" 2>/dev/null | tr -dc '0-9')"
  [ -n "$display_number" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$display_number" ]; then
  echo "e2e-session: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$display_number"

# In the background, so that a signal to this script runs the clean-up at once
# instead of after the program ends.
timeout -k 10 "$run_timeout" "$WINE64" "$@" &
runner_pid=$!
wait "$runner_pid"
rc=$?
runner_pid=""
if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
  echo "e2e-session: $1 ran longer than ${run_timeout}s and was stopped" >&2
fi
exit "$rc"
