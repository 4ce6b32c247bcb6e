# Runs gen_trackview into a fresh folder of the build tree and checks that it
# draws exactly the committed pictures of src/trackview/art.
add_test(NAME gen_trackview_outputs
  COMMAND ${CMAKE_COMMAND}
    -DGENERATOR=$<TARGET_FILE:gen_trackview>
    -DOUTPUT_DIR=${CMAKE_BINARY_DIR}/gen_trackview_check
    -DCOMMITTED_DIR=${CMAKE_SOURCE_DIR}/src/trackview/art
    "-DPATTERN=*.bmp"
    -P ${CMAKE_SOURCE_DIR}/tools/compare_outputs.cmake)
set_tests_properties(gen_trackview_outputs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
