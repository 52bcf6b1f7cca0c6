#!/usr/bin/env bash
# Runs a Windows test program that creates windows: on an X display (a private
# Xvfb unless one is there), in the project's Wine prefix.
#   run-dialog-test.sh PROGRAM.exe [ARGS...]
# - A Wine desktop started by a program without a display (any console test that
#   ran just before) cannot show windows, so the prefix's processes are waited for
#   first; run such tests with RUN_SERIAL.
# - Under Xvfb no window manager runs, and Wine waits two seconds for one
#   whenever a managed window is hidden: this program's windows are made
#   unmanaged (a Wine setting for this program alone).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
. "$root/tools/wine-env.sh"
if [ -d "$WINEPREFIX" ]; then
  timeout 30 "$wineserver" -w 2>/dev/null || true
fi

program=$1
shift
exec "$root/tools/xvfb-run.sh" bash -c '
  "$0" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$1")\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  exec "$0" "$@"' "$root/tools/wine-run.sh" "$program" "$@"
