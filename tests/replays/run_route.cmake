# Plans the whole-game route afresh and compares it with the committed clearing script, so that
# the script stays the one the planner finds with the rules as they are.
execute_process(COMMAND "${ROUTE}" OUTPUT_FILE "${OUTPUT}" ERROR_VARIABLE log
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zema-route found no clearing route (status ${status}):\n${log}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}"
                RESULT_VARIABLE different)
if(NOT different EQUAL 0)
  execute_process(COMMAND diff "${EXPECTED}" "${OUTPUT}")
  message(FATAL_ERROR "the planned route differs from ${EXPECTED}; if the change is meant, "
                      "run build/tools/zema-route > tests/replays/clear_game.script")
endif()
