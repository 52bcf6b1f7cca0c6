#!/usr/bin/env bash
# The resident changer's cost while it lives. Each program runs alone under Wine,
# on a fresh desktop and server, for SECONDS (default 60) after a 5-second start:
#   mdk         MDK.EXE with our MD.dll, which hands it the settings program's
#               handles: it sleeps until something is due
#   contract    MDK.EXE with an MD.dll of the nine contract exports only: the
#               10 ms watch of the described design
#   noplugins   MDK.EXE with our MD.dll and no plug-in anywhere: its one-second
#               plug-in retry runs for ever
#   bare        a bare program with one 10 ms window timer and no work
#   none        nothing but the desktop: what the Wine server does anyway
# The MDK runs have 1024 reservations (date, time and timer windows, all
# applying, a repeat of one hour). For each program and for the Wine server it
# prints the wake-ups per second (voluntary context switches of every thread)
# and the CPU time (the kernel's nanosecond count of every thread) as a share of
# one core. The runs repeat RUNS times (default 5), the programs in turn on one
# core, alternating; the figures are medians, and "idle ratio MDK/bare" is the
# median of each run's CPU ratio.
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

for f in resident/MDK.EXE mdlib/MD.dll mdlib/contract/MD.dll plugins/IFWIC.SPI tools/bare-timer/BareTimer.EXE; do
  [ -f "$build/$f" ] || { echo "measure-cpu: $build/$f is missing; run make win64" >&2; exit 1; }
done
mdk=${MIRADO_MDK:-$build/resident/MDK.EXE}
[ -f "$mdk" ] || { echo "measure-cpu: $mdk is missing" >&2; exit 1; }
# One folder per program; the Susie folder of the profile is never set.
rm -rf "$work/mdk" "$work/contract" "$work/noplugins" "$work/bare"
mkdir -p "$work/mdk" "$work/contract" "$work/noplugins" "$work/bare"
cp "$mdk" "$build/mdlib/MD.dll" "$build/plugins/IFWIC.SPI" "$work/mdk/"
cp "$mdk" "$build/mdlib/contract/MD.dll" "$build/plugins/IFWIC.SPI" "$work/contract/"
cp "$mdk" "$build/mdlib/MD.dll" "$work/noplugins/"
cp "$build/tools/bare-timer/BareTimer.EXE" "$work/bare/"

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
    { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$MIRADO_WINEPREFIX" && echo "$p"; done | head -n 1
}

# CPU nanoseconds and voluntary context switches of every thread of a process
# ("0 0" when there is none).
usage() {
  local ns=0 sw=0 t v
  if [ -n "$1" ]; then
    for t in /proc/"$1"/task/*; do
      read -r v _ <"$t/schedstat" 2>/dev/null && ns=$((ns + v))
      v=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$t/status" 2>/dev/null) && sw=$((sw + ${v:-0}))
    done
  fi
  echo "$ns $sw"
}

# measure PHASE: one program alone (or none) for SECONDS; appends to runs-PHASE
# "program-ns program-switches server-ns server-switches".
measure() {
  local phase=$1 exe=MDK.EXE pid="" server=""
  [ "$phase" = bare ] && exe=BareTimer.EXE
  "$RUN" reg delete "$MIRADO_KEY" /f >/dev/null 2>&1
  "$RUN" regedit /S "$(winpath "$table")" >/dev/null 2>&1
  start_desktop 800x600
  if [ "$phase" != none ]; then
    (cd "$work/$phase" && "$RUN" "$exe" >/dev/null 2>&1) &
    for _ in $(seq 100); do
      pid=$(ours -x "$exe")
      [ -n "$pid" ] && break
      sleep 0.1
    done
    [ -n "$pid" ] || echo "measure-cpu: $phase did not start" >&2
    if [ -n "$pid" ] && [ "$(nproc)" -gt 1 ] && command -v taskset >/dev/null; then
      taskset -a -p -c $((run % 2)) "$pid" >/dev/null
    fi
  fi
  server=$(ours -f 'wineserver')
  sleep 5  # start-up and the first wallpaper are not what we measure
  local p0 s0 p1 s1
  p0=$(usage "$pid"); s0=$(usage "$server")
  sleep "$seconds"
  p1=$(usage "$pid"); s1=$(usage "$server")
  stop_desktop
  wait 2>/dev/null
  set -- $p0 $s0 $p1 $s1
  local line="$(($5 - $1)) $(($6 - $2)) $(($7 - $3)) $(($8 - $4))"
  echo "$line" >>"$work/runs-$phase"
  awk -v t="$seconds" -v p="$phase" '{ printf "  %-9s %8.2f wake-ups/s %7.3f%% CPU; Wine server %8.2f wake-ups/s %7.3f%% CPU\n",
    p, $2 / t, 100 * $1 / 1e9 / t, $4 / t, 100 * $3 / 1e9 / t }' <<<"$line" >&2
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "none"; else if (NR % 2) printf "%.4g", v[(NR + 1) / 2]; else printf "%.4g", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

phases="mdk contract noplugins bare none"
table=$(table_file 1024)
rm -f "$work"/runs-*
for ((run = 1; run <= runs; run++)); do
  echo "measure-cpu: run $run of $runs" >&2
  for phase in $phases; do measure "$phase"; done
done
printf 'medians of %d runs of %d s, 1024 reservations:\n' "$runs" "$seconds"
printf '%-10s %12s %9s %16s %12s\n' program wake-ups/s CPU% "server wake/s" "server CPU%"
# col EXPRESSION: its median over the runs of $phase.
col() { awk -v t="$seconds" "{ print $1 }" "$work/runs-$phase" | median; }
for phase in $phases; do
  printf '%-10s %12s %9s %16s %12s\n' "$phase" "$(col '$2 / t')" "$(col '100 * $1 / 1e9 / t')" \
    "$(col '$4 / t')" "$(col '100 * $3 / 1e9 / t')"
done
for phase in mdk contract noplugins; do
  ratio=$(paste "$work/runs-$phase" "$work/runs-bare" | awk '$5 > 0 { print $1 / $5 }' | median)
  printf 'idle ratio MDK/bare (%s): %s\n' "$phase" "$ratio"
done
