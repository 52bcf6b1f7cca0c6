#!/usr/bin/env bash
# Times the settings program's main dialog under Wine: opening it, and switching
# to a tab of 1,000 pictures (medians of five runs).
#   MIRADO_BENCH_BUILD  the win64 build folder (default build/win64)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${MIRADO_BENCH_BUILD:-$root/build/win64}
[ -f "$build/CMakeCache.txt" ] || (cd "$root" && cmake --preset win64 -B "$build" >/dev/null)
cmake --build "$build" -j "${JOBS:-2}" --target settings_timing >/dev/null
exec "$root/tests/win/winui/run-dialog-test.sh" "$build/bench/win/settings/settings_timing.exe"
