# Runs the dump and compares its output and exit status with the expected ones.
execute_process(COMMAND ${DUMP} ${ARGS} WORKING_DIRECTORY ${WORKDIR} OUTPUT_FILE ${ACTUAL} ERROR_QUIET
                RESULT_VARIABLE status)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "trevanor-dump exited with ${status}, expected ${STATUS}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "Dump differs from ${EXPECTED}; see ${ACTUAL}")
endif()
