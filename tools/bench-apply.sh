#!/usr/bin/env bash
# Puts up a 3840x2160 JPEG as the wallpaper under Wine, the way the resident
# changer does (IFWIC.SPI decodes it, MD_TMP.bmp is written, SystemParametersInfoA
# loads it onto a Wine desktop under Xvfb), and in the same run times
# libjpeg-turbo's djpeg -bmp on the same file; prints both and their ratio.
# MD_TMP.bmp's hash is kept beside the picture from the first run, and every
# later run says whether it wrote the same bytes (remove the .sha256 file to
# take a new reference).
#   MIRADO_BENCH_BUILD  the win64 build folder (default build/win64)
#   RUNS                runs of each (default 5)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${MIRADO_BENCH_BUILD:-$root/build/win64}
runs=${RUNS:-5}

command -v djpeg >/dev/null || { echo "bench-apply: no djpeg; run tools/setup.sh" >&2; exit 127; }
command -v convert >/dev/null || { echo "bench-apply: no convert; run tools/setup.sh" >&2; exit 127; }

[ -f "$build/CMakeCache.txt" ] || (cd "$root" && cmake --preset win64 -B "$build" >/dev/null)
cmake --build "$build" -j "${JOBS:-2}" --target applier_timing >/dev/null

work=$build/bench-apply
mkdir -p "$work"
jpeg=$work/wallpaper-3840x2160.jpg
# Photo-like detail, so that the decoder has real work.
[ -f "$jpeg" ] || convert -size 3840x2160 -seed 7 plasma:fractal -quality 90 "$jpeg"

timing=$build/bench/win/applier/applier_timing.exe
temp_bitmap=$(dirname "$timing")/program/MD_TMP.bmp
rm -f "$temp_bitmap"
winjpeg="Z:${jpeg//\//\\}"
echo "picture: $jpeg ($(stat -c %s "$jpeg") bytes), $runs runs each"
MIRADO_SCREEN=${MIRADO_SCREEN:-1920x1080x24} "$here/xvfb-run.sh" \
  env MIRADO_DESKTOP_SIZE=1920x1080 "$here/wine-desktop.sh" "$timing" "$winjpeg" "$runs" | tee "$work/apply.txt"

# The file the system loads, and other programs may read, keeps its bytes.
reference=$jpeg.MD_TMP.sha256
hash=$(sha256sum < "$temp_bitmap" | cut -d' ' -f1)
if [ -f "$reference" ]; then
  if [ "$hash" = "$(cat "$reference")" ]; then
    echo "bytes   MD_TMP.bmp $hash, the same as the reference"
  else
    echo "bytes   MD_TMP.bmp $hash, DIFFERENT from the reference $(cat "$reference")"
    status=1
  fi
else
  echo "$hash" > "$reference"
  echo "bytes   MD_TMP.bmp $hash, kept as the reference"
fi

times=()
for _ in $(seq "$runs"); do
  start=$EPOCHREALTIME
  djpeg -bmp -outfile "$work/djpeg.bmp" "$jpeg"
  end=$EPOCHREALTIME
  times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) * 1000 }')")
done
djpeg_ms=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int(NR / 2) + 1] }')
djpeg_min=$(printf '%s\n' "${times[@]}" | sort -n | head -1)
printf 'djpeg   %8.1f ms median, %8.1f ms fastest (djpeg -bmp, native)\n' "$djpeg_ms" "$djpeg_min"

apply_ms=$(awk '/^apply/ { print $2 }' "$work/apply.txt")
[ -n "$apply_ms" ] && awk -v a="$apply_ms" -v d="$djpeg_ms" \
  'BEGIN { printf "ratio   %8.2f  (apply median / djpeg median)\n", a / d }'
exit "${status:-0}"
