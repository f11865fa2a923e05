# Plans the whole-game route afresh and compares it with the committed clearing script, so that
# the script stays the one the planner finds with the rules as they are.
execute_process(COMMAND ${EMULATOR} "${ROUTE}" OUTPUT_FILE "${OUTPUT}" ERROR_VARIABLE log
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zema-route found no clearing route (status ${status}):\n${log}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/expect_same_output.cmake")
expect_same_output("the planned route"
                   "run build/tools/zema-route > tests/replays/clear_game.script")
