# Runs a picture generator into a fresh folder and checks that it draws
# exactly the committed pictures, byte for byte.
# Inputs: GENERATOR, OUTPUT_DIR, COMMITTED_DIR, PATTERN (e.g. "*.png").
file(REMOVE_RECURSE "${OUTPUT_DIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
file(GLOB generated RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/${PATTERN}")
file(GLOB committed RELATIVE "${COMMITTED_DIR}" "${COMMITTED_DIR}/${PATTERN}")
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "pictures differ:\n generated: ${generated}\n committed: ${committed}")
endif()
foreach(name ${generated})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT_DIR}/${name}" "${COMMITTED_DIR}/${name}"
    RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "${name} differs from the committed copy")
  endif()
endforeach()
