#!/usr/bin/env bash
# Runs each fuzz target of build/fuzz for FUZZ_SECONDS (default 120) on a working
# copy of its committed seed corpus, so the seeds in the repository never grow.
# Crashing inputs land in build/fuzz/artifacts/<target>/; add them to
# tests/fuzz/corpus/<target>/ once fixed, so every test run replays them.
#   tools/fuzz.sh [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-120}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(reservation_text temp_bitmap image_header cp932_text); fi

work=build/fuzz/work
status=0
summary=()
for target in "${targets[@]}"; do
  corpus=$work/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  log=$work/$target.log
  mkdir -p "$corpus" "$artifacts"
  cp -n tests/fuzz/corpus/$target/* "$corpus/"
  echo "fuzz: $target for ${seconds}s"
  if ! build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1; then
    status=1
    echo "fuzz: $target FAILED, see $log and $artifacts" >&2
    tail -n 30 "$log" >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$target: ${runs:-?} executions in ${seconds}s")
done
printf 'fuzz: %s\n' "${summary[@]}"
exit $status
