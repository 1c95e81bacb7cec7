# Fails when the test program PROGRAM has a test function that NAMED (a
# list) leaves out: the parts its tests run would skip it.
execute_process(COMMAND ${PROGRAM} -functions OUTPUT_VARIABLE listed RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} -functions failed: ${status}")
endif()
string(REPLACE "()" "" listed "${listed}")
string(REGEX REPLACE "\n$" "" listed "${listed}")
string(REPLACE "\n" ";" listed "${listed}")
list(REMOVE_ITEM listed ${NAMED})
if(listed)
  message(FATAL_ERROR "test functions that no part runs: ${listed}")
endif()
