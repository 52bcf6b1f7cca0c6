#!/usr/bin/env bash
# Runs a command with an X display: the one in $DISPLAY when there is one (and
# MIRADO_XVFB is not 1), otherwise a private Xvfb started here and stopped after.
set -euo pipefail

if [ -n "${DISPLAY:-}" ] && [ "${MIRADO_XVFB:-0}" != 1 ]; then
  exec "$@"
fi

command -v Xvfb >/dev/null || { echo "xvfb-run: no Xvfb; run tools/setup.sh" >&2; exit 127; }

# Pick a free display number.
n=${MIRADO_DISPLAY_NUMBER:-90}
while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done

Xvfb :$n -screen 0 ${MIRADO_SCREEN:-1024x768x24} -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e /tmp/.X11-unix/X$n ] && break
  sleep 0.05
done
export DISPLAY=:$n
"$@"
