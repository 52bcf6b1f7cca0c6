#!/usr/bin/env bash
# Runs a Windows program on a Wine desktop: explorer with a task bar and a
# notification area on the current X display (wrap in tools/xvfb-run.sh when there
# is none), made the prefix's default so that the program and whatever it starts
# run on it (tools/desktop.sh). The desktop and every Wine process of the prefix
# end with the program. MIRADO_DESKTOP_SIZE sets the size (default 1024x768).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RUN=$here/wine-run.sh
. "$here/wine-env.sh"
. "$here/desktop.sh"

start_desktop "${MIRADO_DESKTOP_SIZE:-1024x768}" || exit 1
"$RUN" "$@"
rc=$?
stop_desktop
wait 2>/dev/null
exit $rc
