#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the project's throwaway prefix.
# The prefix lives in the build tree (MIRADO_WINEPREFIX overrides it) and is
# initialised once; LANG=ja_JP.UTF-8 gives the ANSI code page 932.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
export WINEPREFIX=${MIRADO_WINEPREFIX:-$root/build/wineprefix}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || { echo "wine-run: no wine64; run tools/setup.sh" >&2; exit 127; }

# Several tests may start at once: only the first creates the prefix.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.mirado-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # A crash ends the program with its exception code instead of starting the
    # debugger, so a crashing test fails plainly and fast.
    "$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    "$(dirname "$wine")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
    touch "$WINEPREFIX/.mirado-ready"
  fi
) 9>"$WINEPREFIX.lock"

exec "$wine" "$@"
