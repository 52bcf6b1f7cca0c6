#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's throwaway prefix of its
# build (tools/wine-env.sh: MIRADO_WINE_ARCH, MIRADO_WINEPREFIX), initialised
# once; LANG=ja_JP.UTF-8 gives the ANSI code page 932.
#   tools/wine-run.sh PROGRAM [ARGS...]
#   tools/wine-run.sh --probe    exit 0 when this machine runs the build's programs:
#                                127 without the loader, 126 when the kernel refuses it
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ "${1:-}" = --probe ]; then
  [ -e "$wine" ] || exit 127
  "$wine" --version >/dev/null 2>&1 || exit 126
  exit 0
fi
[ -x "$wine" ] || { echo "wine-run: no $wine; run tools/setup.sh" >&2; exit 127; }

# Several tests may start at once: only the first creates the prefix. The mark
# says which loader made it; a prefix made by the other one is made anew.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ "$(cat "$WINEPREFIX/.mirado-ready" 2>/dev/null)" != "$mirado_arch" ]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # A crash ends the program with its exception code instead of starting the
    # debugger, so a crashing test fails plainly and fast.
    "$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    "$wineserver" -w 2>/dev/null || true
    echo "$mirado_arch" >"$WINEPREFIX/.mirado-ready"
  fi
) 9>"$WINEPREFIX.lock"

exec "$wine" "$@"
