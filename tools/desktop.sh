# The Wine desktop of a prefix, with its task bar and notification area, as the
# programs meet it on Windows. Source it after tools/wine-env.sh; needs RUN
# (tools/wine-run.sh).
#
# The desktop is made the prefix's default, so that every program started in the
# prefix (by the scripts, by a test, or by another program) runs on it: with title
# bars, its tray icon in the task bar's notification area, and a wallpaper change
# painted by the running desktop at once. A program started with a plain "wine"
# beside a desktop that is not the default lands on another, invisible one.
#
# The Wine server closes a desktop a moment after the last program on it has
# ended (the desktop's own explorer does not count), and a program that starts
# while it closes is left without one. So start_desktop keeps a program of its
# own on the desktop for as long as the calling script runs: cmd.exe, waiting
# for input on a pipe that the script holds open.

desktop_title='"mirado - Wine desktop"'

# Makes the desktop, at SIZE (default 1024x768), the prefix's default, brings it
# up with its keeper and waits, at most 30 s, until it is on the display; 1 when
# it did not come.
start_desktop() {
  local size=${1:-1024x768} reg hold
  reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="mirado"\r\n\r\n' >"$reg"
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"mirado"="%s"\r\n\r\n' "$size" >>"$reg"
  # The task bar is off on named desktops unless the desktop's EnableShell says so.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops\\mirado]\r\n"EnableShell"=dword:00000001\r\n' >>"$reg"
  "$RUN" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
  rm -f "$reg"
  # Once the prefix is idle (the desktop that regedit brought up has closed),
  # the keeper brings it up anew and holds it. A process still left after 30 s
  # (of an earlier test, say) would keep the old desktop, on a display that
  # may be gone: it is ended.
  timeout 30 "$wineserver" -w 2>/dev/null || "$wineserver" -k 2>/dev/null
  hold=$(mktemp -u)
  mkfifo "$hold"
  "$RUN" cmd <"$hold" >/dev/null 2>&1 &
  exec {desktop_hold}>"$hold"
  rm -f "$hold"
  for _ in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -qF "$desktop_title" && return 0
    sleep 0.1
  done
  echo "desktop: no Wine desktop on $DISPLAY" >&2
  return 1
}

# Ends every Wine process of the prefix, the desktop among them.
stop_desktop() {
  [ -n "${desktop_hold:-}" ] && exec {desktop_hold}>&-
  "$wineserver" -k 2>/dev/null || true
}
