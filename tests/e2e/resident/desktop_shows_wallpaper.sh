#!/usr/bin/env bash
# MDK.EXE puts a JPEG reservation up, and a screenshot of the desktop shows it.
#
# Wine's desktop paints the wallpaper it finds when it starts and does not follow
# later changes made by other processes, so once MDK has applied its wallpaper the
# desktop process is started anew (as a user's session would show it) and the
# screenshot is taken of that; MDK itself runs on throughout.
#   desktop_shows_wallpaper.sh RUN_FOLDER
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tools=$(cd "$here/../../../tools" && pwd)
run_folder=$1
RUN=$tools/wine-run.sh
. "$tools/mdk-profile.sh"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
convert() { if [ -x /usr/bin/convert ]; then /usr/bin/convert "$@"; else command convert "$@"; fi; }
fail() { echo "FAIL: $*"; WINEPREFIX=$MIRADO_WINEPREFIX "$wineserver" -k 2>/dev/null; exit 1; }

"$RUN" reg delete "$MIRADO_KEY" /f >/dev/null 2>&1
# Nothing of an earlier run may pass for this one's wallpaper.
"$RUN" reg delete 'HKCU\Control Panel\Desktop' /v Wallpaper /f >/dev/null 2>&1
rm -f "$run_folder/MD_TMP.bmp"
reg_dword Reserve Entry 1
reg_sz 'Reserve\Name' 0 "$(winpath "$run_folder/red.jpg")"
reg_sz 'Reserve\Data' 0 "$(reservation_text 0 0 0 0 0 0 0 0 0 0 0 0 1 1 0 3600000)"
reg_dword Settings Flag1stBoot 1

start_desktop
(cd "$run_folder" && "$RUN" MDK.EXE >/dev/null 2>&1) &
expected=$(winpath "$run_folder/MD_TMP.bmp")
for _ in $(seq 150); do
  "$RUN" reg query 'HKCU\Control Panel\Desktop' /v Wallpaper 2>/dev/null | grep -qF "$expected" && break
  sleep 0.2
done
"$RUN" reg query 'HKCU\Control Panel\Desktop' /v Wallpaper 2>/dev/null | grep -qF "$expected" ||
  fail "MDK did not set the wallpaper"

kill_desktop
wait_desktop_gone || fail "the desktop did not end"
MIRADO_DESKTOP_SETTLE=0 start_desktop
# The new desktop paints when it is ready: look until the middle turns red (at
# most 30 s), then once more for the verdict.
shot=$(dirname "$run_folder")/desktop.png
red() { [ "${r:-0}" -gt 200 ] && [ "${g:-255}" -lt 60 ] && [ "${b:-255}" -lt 60 ]; }
for _ in $(seq 120); do
  import -window root "$shot" 2>/dev/null || fail "no screenshot"
  pixel=$(convert "$shot" -format '%[fx:int(255*p{512,384}.r)] %[fx:int(255*p{512,384}.g)] %[fx:int(255*p{512,384}.b)]' info: 2>/dev/null)
  read -r r g b <<<"$pixel"
  red && break
  sleep 0.25
done
pgrep -f 'MDK\.EXE' >/dev/null || fail "MDK ended"
WINEPREFIX=$MIRADO_WINEPREFIX "$wineserver" -k 2>/dev/null
if red; then
  echo "PASS: the desktop shows the red picture ($pixel) in $shot"
  exit 0
fi
fail "the middle of the desktop is $pixel, not red ($shot)"
