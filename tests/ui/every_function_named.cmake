# Fails when the test program PROGRAM has a test function that the list
# NAMED leaves out: the parts its tests run would skip it.
execute_process(COMMAND ${PROGRAM} -functions OUTPUT_VARIABLE listed COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[A-Za-z_0-9]+\\(\\)" listed "${listed}")
list(TRANSFORM listed REPLACE "\\(\\)" "")
list(REMOVE_ITEM listed ${NAMED})
if(listed)
  message(FATAL_ERROR "test functions that no part runs: ${listed}")
endif()
