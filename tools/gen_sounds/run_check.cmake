# Runs the sound generator into a fresh folder and checks what it made.
# Expects GENERATOR, CHECKER, OUT_DIR, COMMITTED_DIR and NAMES (a list of file names).

file(REMOVE_RECURSE ${OUT_DIR})
execute_process(COMMAND ${GENERATOR} ${OUT_DIR} RESULT_VARIABLE gen_result)
if(NOT gen_result EQUAL 0)
  message(FATAL_ERROR "gen_sounds failed: ${gen_result}")
endif()
execute_process(COMMAND ${CHECKER} ${OUT_DIR} ${COMMITTED_DIR} ${NAMES} RESULT_VARIABLE check_result)
if(NOT check_result EQUAL 0)
  message(FATAL_ERROR "generated sounds failed the check")
endif()
