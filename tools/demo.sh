#!/usr/bin/env bash
# The main job: the resident changer MDK.EXE on a Wine desktop, changing the
# wallpaper by itself from a small sample table, with screenshots as it goes.
#
#   tools/demo.sh [SECONDS]     (default 200)
#
# Uses $DISPLAY when there is one (you watch it live and can use the tray icon),
# otherwise a private Xvfb. Expects the win64 build (make demo builds it).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
seconds=${1:-${DEMO_SECONDS:-200}}
build=$root/build/win64
demo=$root/build/demo
shots=$demo/screenshots
export MIRADO_WINEPREFIX=$demo/wineprefix
RUN=$here/wine-run.sh
. "$here/mdk-profile.sh"

for f in resident/MDK.EXE settings/MDS.EXE mdlib/MD.dll plugins/IFWIC.SPI; do
  [ -f "$build/$f" ] || { echo "demo: $build/$f is missing; run make demo" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ] || [ "${MIRADO_XVFB:-0}" = 1 ]; then
  # No display of our own: start Xvfb and come back in through it.
  if [ -z "${MIRADO_DEMO_INNER:-}" ]; then
    MIRADO_DEMO_INNER=1 MIRADO_XVFB=1 exec "$here/xvfb-run.sh" "$0" "$seconds"
  fi
fi

echo "demo: preparing $demo"
rm -rf "$demo/program" "$shots"
mkdir -p "$demo/program" "$demo/images" "$shots"
cp "$build/resident/MDK.EXE" "$build/settings/MDS.EXE" "$build/mdlib/MD.dll" "$build/plugins/IFWIC.SPI" "$demo/program/"

convert() { if [ -x /usr/bin/convert ]; then /usr/bin/convert "$@"; else command convert "$@"; fi; }
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
label() { if [ -f "$font" ]; then printf '%s' "-font $font -pointsize 120 -fill white -gravity center -annotate +0+0"; fi; }
img=$demo/images
convert -size 1024x768 gradient:'#ff7e00-#5a00a0' $(label) '夕焼け' -quality 92 "$img/sunset.jpg" 2>/dev/null ||
  convert -size 1024x768 gradient:'#ff7e00-#5a00a0' -quality 92 "$img/sunset.jpg"
convert -size 1024x768 gradient:'#00c8ff-#003060' $(label) '海' "$img/sea.png" 2>/dev/null ||
  convert -size 1024x768 gradient:'#00c8ff-#003060' "$img/sea.png"
convert -size 1024x768 gradient:'#a0e060-#205010' $(label) '森' -quality 92 "$img/forest.jpg" 2>/dev/null ||
  convert -size 1024x768 gradient:'#a0e060-#205010' -quality 92 "$img/forest.jpg"
convert -size 1024x768 plasma:'#ffd0e0-#c04070' -seed 7 $(label) '朝' "$img/morning.png" 2>/dev/null ||
  convert -size 1024x768 xc:'#ffd0e0' "$img/morning.png"
convert -size 1024x768 xc:'#303030' -fill '#808080' -draw 'circle 512,384 512,200' BMP3:"$img/standard.bmp"

echo "demo: writing the sample table"
"$RUN" reg delete "$MIRADO_KEY" /f >/dev/null 2>&1
# A time-of-day reservation for this minute and the next (it wins first), then
# three reservations rotating every minute; the standard wallpaper when MDK ends.
from_h=$(date +%-H); from_m=$(date +%-M)
to=$(date -d '+1 min' +'%-H %-M'); to_h=${to% *}; to_m=${to#* }
if [ "$to_h" -lt "$from_h" ]; then to_h=23; to_m=59; fi
reg_dword Reserve Entry 4
reg_sz 'Reserve\Std' Name "$(winpath "$img/standard.bmp")"
reg_sz 'Reserve\Std' Data "0$((0x303030))"
reg_sz 'Reserve\Name' 0 "$(winpath "$img/morning.png")"
reg_sz 'Reserve\Data' 0 "$(reservation_text 2 0 0 0 0 0 0 1 "$from_h" "$from_m" "$to_h" "$to_m" 0 0 0 0)"
n=1
for name in sunset.jpg sea.png forest.jpg; do
  reg_sz 'Reserve\Name' $n "$(winpath "$img/$name")"
  reg_sz 'Reserve\Data' $n "$(reservation_text 2 0 0 0 0 0 0 0 0 0 0 0 1 0 0 60000)"
  n=$((n + 1))
done
# Flag1stBoot 0: MDK opens the settings program once it has started.
reg_dword Settings Flag1stBoot 0
reg_dword Settings FlagStdDispMD 1
# The images folder as a second tab of the settings program's browser.
reg_dword ViewFolder MaxFolder 2
reg_sz 'ViewFolder\Title' 00 "デモ"
reg_sz 'ViewFolder\Path' 00 "$(winpath "$img")"

echo "demo: starting the Wine desktop and MDK.EXE for $seconds s"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# What the desktop should show now: the wallpaper file and its age, the layout
# and the colour.
desktop_state() {
  "$RUN" reg query 'HKCU\Control Panel\Desktop' 2>/dev/null | grep -E 'Wallpaper|TileWallpaper' | tr -s ' '
  "$RUN" reg query 'HKCU\Control Panel\Colors' /v Background 2>/dev/null | grep Background | tr -s ' '
  stat -c %Y "$demo/program/MD_TMP.bmp" 2>/dev/null
}

shot=0
take_shot() {
  shot=$((shot + 1))
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"mirado - Wine desktop"/ {print $1; exit}')
  import -window "${window:-root}" "$shots/$(printf 'shot-%03d' $shot).png" 2>/dev/null
  echo "demo: $(date +%T) screenshot $shot"
}

start_desktop
(cd "$demo/program" && "$RUN" MDK.EXE >/dev/null 2>&1) &

# MDK opens the settings program at its start and pauses while it is open: a
# screenshot of its main dialog; then the demo's driver uses it as a user would
# (a refused date window, a date window for today registered, the options sheet)
# with a screenshot at each step, and minimises it: MDK puts the new reservation
# up at once.
# The whole screen: the programs' windows are X windows of their own, which a
# capture of the desktop's window alone leaves black.
desktop_shot() {
  import -window root "$shots/$1.png" 2>/dev/null && echo "demo: $(date +%T) screenshot $1"
}
handoff=$demo/handoff
rm -rf "$handoff"; mkdir -p "$handoff"
driver=$build/tests/e2e/settings/run/demo_driver.exe
if [ -f "$driver" ]; then
  "$RUN" "$driver" "$(winpath "$handoff")" >/dev/null 2>&1 &
  for step in settings refusal options; do
    for _ in $(seq 150); do [ -e "$handoff/$step.ready" ] && break; sleep 0.2; done
    if [ -e "$handoff/$step.ready" ]; then
      sleep 1  # the window's first paint
      desktop_shot "$step"
    fi
    touch "$handoff/$step.shot"
  done
  wait $! 2>/dev/null
else
  pkill -f 'MDS\.EXE' 2>/dev/null
fi
last=""
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  state=$(desktop_state)
  if [ "$state" != "$last" ]; then
    last=$state
    # Wine's desktop paints the wallpaper it finds when it starts and does not
    # follow changes that other programs make later; a new desktop process shows
    # what MDK has just put into the desktop settings.
    kill_desktop
    sleep 1
    start_desktop
    sleep 1
    take_shot
  fi
  sleep 2
done

WINEPREFIX=$MIRADO_WINEPREFIX "$wineserver" -k 2>/dev/null
wait 2>/dev/null

distinct=$(for f in "$shots"/*.png; do convert "$f" -scale 16x12! -depth 4 rgb:- 2>/dev/null | md5sum; done | sort -u | wc -l)
echo "demo: $shot screenshots, $distinct different desktops, in $shots"
