#!/usr/bin/env bash
# Runs a Windows program on a Wine desktop: explorer with a task bar and a
# notification area on the current X display (wrap in tools/xvfb-run.sh when there
# is none). The desktop and every Wine process of the prefix end with the program.
# MIRADO_DESKTOP_SIZE sets the size (default 1024x768).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run="$here/wine-run.sh"
size=${MIRADO_DESKTOP_SIZE:-1024x768}

# The task bar is off on named desktops unless the desktop's EnableShell says so.
"$run" reg add 'HKCU\Software\Wine\Explorer\Desktops\mirado' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1

"$run" explorer /desktop=mirado,"$size" >/dev/null 2>&1 &
desktop=$!
# Ready when its window is on the display and it has settled for a moment.
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"mirado - Wine desktop"' && break
  sleep 0.1
done
sleep 2

"$run" "$@"
rc=$?

wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINEPREFIX=${MIRADO_WINEPREFIX:-$(dirname "$here")/build/wineprefix} "$wineserver" -k 2>/dev/null || true
wait $desktop 2>/dev/null || true
exit $rc
