# Fails the test, showing the diff, when the produced OUTPUT differs from the committed EXPECTED.
# what: the output's name in the message; hint: how to accept a change that is meant.
function(expect_same_output what hint)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}"
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    execute_process(COMMAND diff "${EXPECTED}" "${OUTPUT}")
    message(FATAL_ERROR "${what} differs from ${EXPECTED}; if the change is meant, ${hint}")
  endif()
endfunction()
