# Draws the map's picture with the Windows dump under Wine (RUNNER, WINDOWS_DUMP) and
# with the Linux one (LINUX_DUMP), ARGS naming the file PICTURE, and compares them
# pixel by pixel (ImageMagick). Without names (NAMES none) the pictures hold only
# what the program draws itself (planet dots, fleet diamonds, routes): they must be
# identical. With names, the share of identical pixels is reported; the labels'
# glyphs come from the platform's font rasteriser, so it must be at least 99.5%.
foreach(side windows linux)
  string(REPLACE PICTURE ${OUT}-${side}.png args "${ARGS}")
  if(side STREQUAL windows)
    set(command ${RUNNER} ${WINDOWS_DUMP})
  else()
    set(command ${LINUX_DUMP})
  endif()
  file(REMOVE ${OUT}-${side}.png)
  execute_process(COMMAND ${command} ${args} WORKING_DIRECTORY ${WORKDIR} OUTPUT_QUIET
                  ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT EXISTS ${OUT}-${side}.png)
    message(FATAL_ERROR "the ${side} dump drew no picture (exit ${status}): ${errors}")
  endif()
endforeach()
execute_process(COMMAND compare -metric AE ${OUT}-windows.png ${OUT}-linux.png ${OUT}-difference.png
                ERROR_VARIABLE differing RESULT_VARIABLE status)
execute_process(COMMAND identify -format "%w %h" ${OUT}-linux.png OUTPUT_VARIABLE size)
string(REPLACE " " ";" size "${size}")
list(GET size 0 width)
list(GET size 1 height)
string(STRIP "${differing}" differing)
if(NOT differing MATCHES "^[0-9]+$")
  message(FATAL_ERROR "the pictures could not be compared: ${differing}")
endif()
math(EXPR pixels "${width} * ${height}")
math(EXPR same_per_100k "(${pixels} - ${differing}) * 100000 / ${pixels}")
message("names ${NAMES}: ${differing} of ${pixels} pixels differ (${same_per_100k} per 100,000 identical)")
if(NAMES STREQUAL "none" AND NOT differing EQUAL 0)
  message(FATAL_ERROR "the pictures without names differ (see ${OUT}-difference.png)")
endif()
if(same_per_100k LESS 99500)
  message(FATAL_ERROR "fewer than 99.5% of the pixels are identical (see ${OUT}-difference.png)")
endif()
