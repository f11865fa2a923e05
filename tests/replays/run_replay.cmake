# Runs zema-sim on one replay script, with the options named on its first line, and compares
# its output with the expected file beside it: any change in the simulation shows as a diff.
file(STRINGS "${SCRIPT}" firstLine LIMIT_COUNT 1)
set(options "")
if(firstLine MATCHES "^# options:(.*)$")
  separate_arguments(options UNIX_COMMAND "${CMAKE_MATCH_1}")
endif()
execute_process(COMMAND ${EMULATOR} "${SIM}" ${options} INPUT_FILE "${SCRIPT}" OUTPUT_FILE "${OUTPUT}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zema-sim exited with status ${status} on ${SCRIPT}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/expect_same_output.cmake")
expect_same_output("zema-sim output" "run tests/replays/regenerate.sh")
