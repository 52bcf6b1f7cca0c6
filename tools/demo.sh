#!/usr/bin/env bash
# The main job: the resident changer MDK.EXE on a Wine desktop, changing the
# wallpaper by itself from a small sample table, with screenshots as it goes.
#
#   tools/demo.sh [SECONDS]     (default 270)
#
# Uses $DISPLAY when there is one (you watch it live and can use the tray icon),
# otherwise a private Xvfb. Expects the win64 build (make demo builds it).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
seconds=${1:-${DEMO_SECONDS:-270}}
build=$root/build/win64
demo=$root/build/demo
shots=$demo/screenshots
export MIRADO_WINE_ARCH=win64 MIRADO_WINEPREFIX=$demo/wineprefix
RUN=$here/wine-run.sh
. "$here/wine-env.sh"
. "$here/desktop.sh"
. "$here/mdk-profile.sh"
driver=$build/tests/e2e/settings/run/demo_driver.exe

for f in resident/MDK.EXE settings/MDS.EXE settings/MDS.CHM mdlib/MD.dll plugins/IFWIC.SPI tests/e2e/settings/run/demo_driver.exe; do
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
cp "$build/resident/MDK.EXE" "$build/settings/MDS.EXE" "$build/settings/MDS.CHM" "$build/mdlib/MD.dll" "$build/plugins/IFWIC.SPI" "$demo/program/"

convert() { if [ -x /usr/bin/convert ]; then /usr/bin/convert "$@"; else command convert "$@"; fi; }
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
label() { if [ -f "$font" ]; then printf '%s' "-font $font -pointsize 120 -fill white -gravity center -annotate +0+0"; fi; }
img=$demo/images
rm -rf "$img"
mkdir -p "$img"
# "dawn" sorts first in the settings program's tab of these pictures. They are a
# little lower than the screen: Wine's desktop paints the wallpaper over its task
# bar where the two meet, and the task bar with MDK's icon is to stay in sight.
convert -size 1024x720 plasma:'#ffd0e0-#c04070' -seed 7 $(label) '朝' "$img/dawn.png" 2>/dev/null ||
  convert -size 1024x720 xc:'#ffd0e0' "$img/dawn.png"
convert -size 1024x720 gradient:'#ff7e00-#5a00a0' $(label) '夕焼け' -quality 92 "$img/sunset.jpg" 2>/dev/null ||
  convert -size 1024x720 gradient:'#ff7e00-#5a00a0' -quality 92 "$img/sunset.jpg"
convert -size 1024x720 gradient:'#00c8ff-#003060' $(label) '海' "$img/sea.png" 2>/dev/null ||
  convert -size 1024x720 gradient:'#00c8ff-#003060' "$img/sea.png"
convert -size 1024x720 gradient:'#a0e060-#205010' $(label) '森' -quality 92 "$img/forest.jpg" 2>/dev/null ||
  convert -size 1024x720 gradient:'#a0e060-#205010' -quality 92 "$img/forest.jpg"
convert -size 1024x720 xc:'#303030' -fill '#808080' -draw 'circle 512,384 512,200' BMP3:"$img/standard.bmp"

echo "demo: writing the sample table"
"$RUN" reg delete "$MIRADO_KEY" /f >/dev/null 2>&1
# Three reservations rotating every minute, and the standard wallpaper for when
# nothing applies; the settings program adds a fourth through its editor.
reg_dword Reserve Entry 3
reg_sz 'Reserve\Std' Name "$(winpath "$img/standard.bmp")"
reg_sz 'Reserve\Std' Data "0$((0x303030))"
n=0
for name in sunset.jpg sea.png forest.jpg; do
  reg_sz 'Reserve\Name' $n "$(winpath "$img/$name")"
  reg_sz 'Reserve\Data' $n "$(reservation_text 2 0 0 0 0 0 0 0 0 0 0 0 1 0 0 60000)"
  n=$((n + 1))
done
# Flag1stBoot 0: MDK opens the settings program once it has started.
reg_dword Settings Flag1stBoot 0
reg_dword Settings FlagStdDispMD 1
# The pictures' folder as a second tab of the settings program's browser.
reg_dword ViewFolder MaxFolder 2
reg_sz 'ViewFolder\Title' 00 "デモ"
reg_sz 'ViewFolder\Path' 00 "$(winpath "$img")"

echo "demo: starting the Wine desktop and MDK.EXE for $seconds s"
start_desktop || exit 1
(cd "$demo/program" && "$RUN" MDK.EXE >/dev/null 2>&1) &

# The whole screen, as a user sees it.
screen_shot() {
  import -window root "$shots/$1.png" 2>/dev/null && echo "demo: $(date +%T) $1.png"
}
# A small fingerprint of what the desktop shows above the task bar.
screen_print() {
  import -window root png:- 2>/dev/null | convert - -crop 1024x740+0+0 -scale 32x24! -depth 4 rgb:- 2>/dev/null | md5sum
}

# MDK opens the settings program at its start and pauses while it is open: a
# screenshot of its main dialog; then the driver uses it as a user would (a
# refused date window, a time window registered, the options sheet) with a
# screenshot at each step, and minimises it: MDK puts the new reservation up at
# once.
handoff=$demo/handoff
rm -rf "$handoff"; mkdir -p "$handoff"
"$RUN" "$driver" "$(winpath "$handoff")" >/dev/null 2>&1 &
driving=$!
for step in settings refusal options; do
  for _ in $(seq 150); do [ -e "$handoff/$step.ready" ] && break; sleep 0.2; done
  if [ -e "$handoff/$step.ready" ]; then
    sleep 1  # the window's first paint
    screen_shot "$step"
  else
    echo "demo: the settings program did not reach the $step step" >&2
  fi
  touch "$handoff/$step.shot"
done
wait $driving 2>/dev/null

# Then every wallpaper the running desktop paints, as it paints it.
last=""
shot=0
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  print=$(screen_print)
  if [ "$print" != "$last" ]; then
    sleep 0.5  # the rest of the paint
    last=$(screen_print)
    shot=$((shot + 1))
    screen_shot "$(printf 'wallpaper-%02d' $shot)"
  fi
  sleep 1
done

stop_desktop
wait 2>/dev/null

distinct=$(for f in "$shots"/wallpaper-*.png; do convert "$f" -crop 1024x740+0+0 -scale 16x12! -depth 4 rgb:- 2>/dev/null | md5sum; done | sort -u | wc -l)
echo "demo: $shot wallpaper screenshots, $distinct different desktops, in $shots"
