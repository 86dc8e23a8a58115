# SPDX-License-Identifier: MIT
# Runs fieldcalc with ARGS (a ;-list) on INPUT (or nothing), checks its exit status and, where
# EXPECTED_OUTPUT is given, its standard output.
if(NOT DEFINED INPUT)
  set(INPUT /dev/null)
endif()
execute_process(COMMAND ${FIELDCALC} ${ARGS}
  INPUT_FILE ${INPUT}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
if(NOT status EQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "fieldcalc ${ARGS} exited with ${status}, expected ${EXPECTED_STATUS}\n${errors}")
endif()
if(EXPECTED_STATUS EQUAL 2 AND errors STREQUAL "")
  message(FATAL_ERROR "fieldcalc ${ARGS} failed without saying why")
endif()
if(DEFINED EXPECTED_OUTPUT)
  file(READ ${EXPECTED_OUTPUT} expected)
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "fieldcalc ${ARGS} printed\n${output}\nexpected\n${expected}")
  endif()
endif()
# EXPECTED_LINES: each of its lines must be a whole line of the output, in its order; the lines
# left out (timings, figures to the last digit) may be anything.
if(DEFINED EXPECTED_LINES)
  file(READ ${EXPECTED_LINES} rest)
  set(unseen "\n${output}")
  while(NOT rest STREQUAL "")
    string(FIND "${rest}" "\n" end)
    string(SUBSTRING "${rest}" 0 ${end} line)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${rest}" ${next} -1 rest)
    string(FIND "${unseen}" "\n${line}\n" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "fieldcalc ${ARGS} printed\n${output}\nwithout, in order, the line\n${line}")
    endif()
    string(LENGTH "${line}" length)
    math(EXPR after "${at} + ${length} + 1")
    string(SUBSTRING "${unseen}" ${after} -1 unseen)
  endwhile()
endif()
