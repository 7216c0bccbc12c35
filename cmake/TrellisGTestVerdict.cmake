# A GoogleTest program passes only when it says it ran and passed at least
# one test: under Wine a crashed program can still end with exit code 0, and a
# filter that matches nothing would pass silently. A crash reported by the
# test programs' exception filter fails the test even after the summary.
function(trellis_require_gtest_pass test)
  set_tests_properties(${test} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\];crashed: exception")
endfunction()
