#!/usr/bin/env bash
# Runs a test and passes only when it exited with 0 AND its output closes as a
# passing run does. Under Wine a crashing program can end with exit code 0 (its
# debugger ends it), and a run cut short prints no summary; the exit code alone
# would count both as passed.
#   tools/run-suite.sh gtest COMMAND [ARGS...]    GoogleTest's "[  PASSED  ]"
#                                                 summary, no "[  FAILED  ]" line
#   tools/run-suite.sh script COMMAND [ARGS...]   a "PASS: " line, no "FAIL: " line
# Either way no crash report of Wine's ("wine: Unhandled ...") may appear. The
# output is shown as it comes, so a run that hangs still shows how far it got.
set -uo pipefail

kind=${1:-}
case $kind in
  gtest) passed='^\[  PASSED  \]' failed='^\[  FAILED  \]' ;;
  script) passed='^PASS: ' failed='^FAIL: ' ;;
  *) echo "run-suite: the first argument is gtest or script, not '$kind'" >&2; exit 2 ;;
esac
shift

# A file, not a pipe: whatever the test leaves running (the Wine server, a
# program it started) may hold its output open long after the test has ended.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" >"$log" 2>&1 &
test_pid=$!
tail -s 0.1 -n +1 -f --pid="$test_pid" "$log" &
tail_pid=$!
wait "$test_pid"
rc=$?
wait "$tail_pid"

verdict=
if grep -q 'wine: Unhandled' "$log"; then
  verdict="Wine reported a crash"
elif grep -q "$failed" "$log"; then
  verdict="the test reported failures"
elif ! grep -q "$passed" "$log"; then
  verdict="the test ended without its closing line (cut short?)"
fi
if [ "$rc" -ne 0 ]; then
  verdict="${verdict:+$verdict; }exit code $rc"
fi
if [ -n "$verdict" ]; then
  echo "run-suite: FAILED: $verdict" >&2
  exit 1
fi
exit 0
