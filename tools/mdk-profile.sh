# Helpers for the scripts that drive MDK under Wine: the reservation table laid in
# with reg.exe, and the prefix's desktop. Source it; needs RUN (tools/wine-run.sh) and MIRADO_WINEPREFIX.

MIRADO_KEY='HKCU\Software\Vezaru\Mirado'

# reservation_text METHOD COLOUR DATEON FM FD TM TD TIMEON FH FMIN TH TMIN TIMERON TH TMI PERIOD
reservation_text() {
  printf '%1d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%d' \
    "$1" "$2" "$3" "$4" "$5" "$6" "$7" 0 "$8" "$9" "${10}" "${11}" "${12}" 0 "${13}" "${14}" "${15}" "${16}"
}

reg_sz() { "$RUN" reg add "$MIRADO_KEY\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
reg_dword() { "$RUN" reg add "$MIRADO_KEY\\$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null 2>&1; }

# A Unix path as the Windows programs see it (Wine's Z: drive).
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

# Ends the Wine desktop (explorer) of this prefix only, leaving any other
# prefix's desktop alone.
kill_desktop() {
  local p
  for p in $(pgrep -f 'explorer.exe /desktop'); do
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$MIRADO_WINEPREFIX"; then
      kill "$p" 2>/dev/null
    fi
  done
}

# Starts the Wine desktop (explorer with its task bar) of this prefix in the
# background, at SIZE (default 1024x768), and waits until it is on the display,
# then MIRADO_DESKTOP_SETTLE seconds more (default 2) for its first paint; a
# caller that polls for what it wants to see sets 0.
start_desktop() {
  "$RUN" reg add 'HKCU\Software\Wine\Explorer\Desktops\mirado' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
  "$RUN" explorer /desktop=mirado,"${1:-1024x768}" >/dev/null 2>&1 &
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"mirado - Wine desktop"' && break
    sleep 0.1
  done
  sleep "${MIRADO_DESKTOP_SETTLE:-2}"
}

# Waits (at most 30 s) until no desktop window of this name is on the display.
wait_desktop_gone() {
  for _ in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '"mirado - Wine desktop"' || return 0
    sleep 0.1
  done
  return 1
}
