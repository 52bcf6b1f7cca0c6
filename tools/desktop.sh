# The Wine desktop of a prefix, with its task bar and notification area, as the
# programs meet it on Windows. Source it after tools/wine-env.sh; needs RUN
# (tools/wine-run.sh).
#
# The desktop is made the prefix's default, so that every program started in the
# prefix (by the scripts, by a test, or by another program) runs on it: with title
# bars, its tray icon in the task bar's notification area, and a wallpaper change
# painted by the running desktop at once. A program started with a plain "wine"
# beside a desktop that is not the default lands on another, invisible one.

desktop_title='"mirado - Wine desktop"'

# Starts the desktop (SIZE, default 1024x768) in the background and waits, at most
# 15 s, until its window is on the display; 1 when it did not come.
start_desktop() {
  local size=${1:-1024x768} reg
  reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="mirado"\r\n\r\n' >"$reg"
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"mirado"="%s"\r\n\r\n' "$size" >>"$reg"
  # The task bar is off on named desktops unless the desktop's EnableShell says so.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops\\mirado]\r\n"EnableShell"=dword:00000001\r\n' >>"$reg"
  "$RUN" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
  rm -f "$reg"
  "$RUN" explorer /desktop=mirado,"$size" >/dev/null 2>&1 &
  for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -qF "$desktop_title" && return 0
    sleep 0.1
  done
  echo "desktop: no Wine desktop on $DISPLAY" >&2
  return 1
}

# Ends every Wine process of the prefix, the desktop among them.
stop_desktop() {
  "$wineserver" -k 2>/dev/null || true
}
