#!/usr/bin/env bash
# tools/run-suite.sh over runs whose verdict is known: every way a run can look
# finished without having passed must fail it.
set -u
check=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)/run-suite.sh
wrong=0
while IFS='|' read -r expected kind run; do
  if "$check" "$kind" bash -c "$run" >/dev/null 2>&1; then got=pass; else got=fail; fi
  [ "$got" = "$expected" ] || { echo "FAIL: $kind run { $run } should $expected, did $got"; wrong=1; }
done <<'EOF_CASES'
pass|gtest|echo '[==========] 2 tests ran.'; echo '[  PASSED  ] 2 tests.'
fail|gtest|echo '[ RUN      ] Suite.Crashes'
fail|gtest|echo '[  PASSED  ] 1 test.'; echo '[  FAILED  ] 1 test, listed below:'
fail|gtest|echo '[  PASSED  ] 2 tests.'; exit 3
fail|gtest|echo '[  PASSED  ] 2 tests.'; echo 'wine: Unhandled page fault on read access to 0000000000000000'
pass|gtest|sleep 60 & echo '[  PASSED  ] 1 test.'
pass|script|echo 'PASS: the desktop shows the picture'
fail|script|echo 'FAIL: no desktop'; exit 0
fail|script|echo 'the desktop came up'
fail|nothing|echo '[  PASSED  ] 1 test.'
EOF_CASES
[ $wrong = 0 ] && echo "PASS: every verdict as expected"
exit $wrong
