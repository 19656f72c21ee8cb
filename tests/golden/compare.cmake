# Runs the dump and compares its output and exit status with the expected ones.
# RUNNER, when given, starts the dump (Wine for the Windows build); that
# build's CR LF line ends are read as LF.
execute_process(COMMAND ${RUNNER} ${DUMP} ${ARGS} WORKING_DIRECTORY ${WORKDIR} OUTPUT_FILE ${ACTUAL} ERROR_QUIET
                RESULT_VARIABLE status)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "trevanor-dump exited with ${status}, expected ${STATUS}")
endif()
if(RUNNER)
  file(READ ${ACTUAL} output)
  string(REPLACE "\r\n" "\n" output "${output}")
  file(WRITE ${ACTUAL} "${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "Dump differs from ${EXPECTED}; see ${ACTUAL}")
endif()
