#!/usr/bin/env bash
# MDK.EXE, started on the Wine desktop, puts a JPEG reservation up, and the
# running desktop paints it: a screenshot shows it in the middle of the screen.
#   desktop_shows_wallpaper.sh RUN_FOLDER
# It passes by its last line, "PASS: ..." (tools/run-suite.sh script), with exit code 0.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tools=$(cd "$here/../../../tools" && pwd)
run_folder=$1
RUN=$tools/wine-run.sh
. "$tools/wine-env.sh"
. "$tools/desktop.sh"
. "$tools/mdk-profile.sh"
convert() { if [ -x /usr/bin/convert ]; then /usr/bin/convert "$@"; else command convert "$@"; fi; }
fail() { echo "FAIL: $*"; stop_desktop; exit 1; }

"$RUN" reg delete "$MIRADO_KEY" /f >/dev/null 2>&1
# Nothing of an earlier run may pass for this one's wallpaper.
"$RUN" reg delete 'HKCU\Control Panel\Desktop' /v Wallpaper /f >/dev/null 2>&1
rm -f "$run_folder/MD_TMP.bmp"
reg_dword Reserve Entry 1
reg_sz 'Reserve\Name' 0 "$(winpath "$run_folder/red.jpg")"
reg_sz 'Reserve\Data' 0 "$(reservation_text 0 0 0 0 0 0 0 0 0 0 0 0 1 1 0 3600000)"
reg_dword Settings Flag1stBoot 1

start_desktop || fail "no desktop"
(cd "$run_folder" && "$RUN" MDK.EXE >/dev/null 2>&1) &
# The desktop paints as soon as MDK has put the picture up: look until the
# middle turns red (at most 30 s), then once more for the verdict.
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
stop_desktop
if red; then
  echo "PASS: the desktop shows the red picture ($pixel) in $shot"
  exit 0
fi
fail "the middle of the desktop is $pixel, not red ($shot)"
