# Runs the dump and compares its output with the expected file.
execute_process(COMMAND ${DUMP} ${ARGS} OUTPUT_FILE ${ACTUAL} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "trevanor-dump exited with ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "Dump differs from ${EXPECTED}; see ${ACTUAL}")
endif()
