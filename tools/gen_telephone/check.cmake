# Runs gen_telephone into a fresh folder of the build tree and checks that it
# draws exactly the committed pictures of src/telephone/art, at their sizes.
add_test(NAME gen_telephone_outputs
  COMMAND ${CMAKE_COMMAND}
    -DGENERATOR=$<TARGET_FILE:gen_telephone>
    -DOUTPUT_DIR=${CMAKE_BINARY_DIR}/gen_telephone_check
    -DCOMMITTED_DIR=${CMAKE_SOURCE_DIR}/src/telephone/art
    -P ${CMAKE_CURRENT_LIST_DIR}/check_outputs.cmake)
set_tests_properties(gen_telephone_outputs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
