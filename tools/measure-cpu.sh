#!/usr/bin/env bash
# The resident changer's cost while it lives: MDK.EXE runs under Wine on a
# desktop for SECONDS (default 60) with 1024 reservations (date, time and timer
# windows, all applying), then as long with an empty table; prints the CPU time
# of MDK's process (and of the Wine server, which carries its timer messages) for
# each, as a share of one core, and their ratio. A bare program with one 10 ms
# window timer and no work (tools/bare-timer) runs beside MDK in each table's run,
# on the same desktop for the same time: what MDK costs beyond it is its own work,
# printed as "idle ratio MDK/bare". CPU time is the kernel's nanosecond count of
# every thread of each process. The runs repeat RUNS times (default 5), each on a
# fresh desktop and server, with MDK and the bare program on one core each; the
# ratios printed last are the medians.
#
#   tools/measure-cpu.sh [SECONDS [RUNS]]
#   MIRADO_MDK=path/to/MDK.EXE tools/measure-cpu.sh   (another build, to compare)
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
seconds=${1:-60}
runs=${2:-5}
build=$root/build/win64
work=$root/build/cpu
export MIRADO_WINEPREFIX=$work/wineprefix
export MIRADO_WINE_ARCH=win64
RUN=$here/wine-run.sh
. "$here/wine-env.sh"
. "$here/desktop.sh"
. "$here/mdk-profile.sh"

if [ -z "${DISPLAY:-}" ] || [ "${MIRADO_XVFB:-0}" = 1 ]; then
  if [ -z "${MIRADO_CPU_INNER:-}" ]; then
    MIRADO_CPU_INNER=1 MIRADO_XVFB=1 exec "$here/xvfb-run.sh" "$0" "$seconds" "$runs"
  fi
fi

for f in resident/MDK.EXE mdlib/MD.dll plugins/IFWIC.SPI tools/bare-timer/BareTimer.EXE; do
  [ -f "$build/$f" ] || { echo "measure-cpu: $build/$f is missing; run make win64" >&2; exit 1; }
done
mdk=${MIRADO_MDK:-$build/resident/MDK.EXE}
[ -f "$mdk" ] || { echo "measure-cpu: $mdk is missing" >&2; exit 1; }
mkdir -p "$work/program"
cp "$mdk" "$build/mdlib/MD.dll" "$build/plugins/IFWIC.SPI" \
  "$build/tools/bare-timer/BareTimer.EXE" "$work/program/"

# The registry file of a table with COUNT reservations.
table_file() {
  local count=$1 file=$work/table-$1.reg
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vezaru\\Mirado\\Reserve]\r\n"Entry"=dword:%08x\r\n\r\n' "$count"
    printf '[HKEY_CURRENT_USER\\Software\\Vezaru\\Mirado\\Settings]\r\n"Flag1stBoot"=dword:00000001\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Vezaru\\Mirado\\Reserve\\Std]\r\n"Name"=""\r\n"Data"="00"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Vezaru\\Mirado\\Reserve\\Name]\r\n'
    for ((i = 0; i < count; i++)); do printf '"%d"="C:\\\\wallpapers\\\\%d.jpg"\r\n' $i $i; done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Vezaru\\Mirado\\Reserve\\Data]\r\n'
    for ((i = 0; i < count; i++)); do
      # The whole year, the whole day, a repeat of one hour: every one applies.
      printf '"%d"="%s"\r\n' $i "$(reservation_text 0 $((i * 4099 % 16777216)) 1 0 0 11 30 1 0 0 23 59 1 1 0 3600000)"
    done
  } >"$file"
  printf '%s' "$file"
}

# The first process matching pgrep's PATTERN that runs in this prefix (other
# programs of the same name may run in other prefixes meanwhile).
ours() {
  pgrep "$@" | while read -r p; do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$MIRADO_WINEPREFIX" && echo "$p"; done | head -n 1
}

# CPU nanoseconds of every thread of a process (0 when it is gone).
cpu_ns() {
  local sum=0 t v
  [ -n "$1" ] || { echo 0; return; }
  for t in /proc/"$1"/task/*/schedstat; do
    read -r v _ <"$t" 2>/dev/null && sum=$((sum + v))
  done
  echo "$sum"
}

measure() {
  local count=$1
  "$RUN" reg delete "$MIRADO_KEY" /f >/dev/null 2>&1
  "$RUN" regedit /S "$(winpath "$(table_file "$count")")" >/dev/null 2>&1
  start_desktop 800x600
  (cd "$work/program" && "$RUN" MDK.EXE >/dev/null 2>&1) &
  (cd "$work/program" && "$RUN" BareTimer.EXE >/dev/null 2>&1) &
  local pid="" bare="" server=""
  for _ in $(seq 100); do
    pid=$(ours -x 'MDK.EXE')
    bare=$(ours -x 'BareTimer.EXE')
    [ -n "$pid" ] && [ -n "$bare" ] && break
    sleep 0.1
  done
  server=$(ours -f 'wineserver')
  # One core each, swapped from run to run, so that neither keeps the busier one.
  # (Sharing one core, the same two programs gave ratios from 0.94 to 1.36.)
  if [ "$(nproc)" -gt 1 ] && command -v taskset >/dev/null; then
    local core=$((run % 2))
    taskset -a -p -c "$core" "$pid" >/dev/null && taskset -a -p -c $((1 - core)) "$bare" >/dev/null
  fi
  echo "measure-cpu: MDK process $pid, bare timer $bare, wine server $server" >&2
  sleep 5  # start-up and the first wallpaper are not what we measure
  local a0 b0 s0 a1 b1 s1
  a0=$(cpu_ns "$pid"); b0=$(cpu_ns "$bare"); s0=$(cpu_ns "$server")
  sleep "$seconds"
  a1=$(cpu_ns "$pid"); b1=$(cpu_ns "$bare"); s1=$(cpu_ns "$server")
  stop_desktop
  wait 2>/dev/null
  awk -v a=$((a1 - a0)) -v b=$((b1 - b0)) -v s=$((s1 - s0)) -v t="$seconds" -v n="$count" 'BEGIN {
    printf "%5d reservations: MDK %.3f s CPU in %d s = %.2f%% of one core; bare timer %.2f%%; Wine server %.2f%%\n",
      n, a / 1e9, t, 100 * a / 1e9 / t, 100 * b / 1e9 / t, 100 * s / 1e9 / t
    if (b > 0) printf "  run ratio MDK/bare: %.3f\n", a / b }'
  echo "$((a1 - a0)) $((b1 - b0))" >>"$work/runs-$count"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "none"; else if (NR % 2) printf "%.2f", v[(NR + 1) / 2]; else printf "%.2f", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

rm -f "$work"/runs-*
for ((run = 1; run <= runs; run++)); do
  echo "measure-cpu: run $run of $runs" >&2
  measure 1024
  measure 0
done
for count in 1024 0; do
  ratio=$(awk '$2 > 0 { print $1 / $2 }' "$work/runs-$count" | median)
  share=$(awk -v t="$seconds" '{ print 100 * $1 / 1e9 / t }' "$work/runs-$count" | median)
  printf '%5d reservations, median of %d: MDK %s%% of one core\nidle ratio MDK/bare: %s\n' "$count" "$runs" "$share" "$ratio"
done
big=$(awk '{ print $1 }' "$work/runs-1024" | median); empty=$(awk '{ print $1 }' "$work/runs-0" | median)
awk -v b="$big" -v e="$empty" 'BEGIN { if (e > 0) printf "cpu ratio 1024/empty: %.2f\n", b / e; else print "cpu ratio 1024/empty: empty table used no measurable CPU" }'
