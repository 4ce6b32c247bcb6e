# Runs gen_menu_art into a fresh folder of the build tree and checks that it
# draws exactly the committed pictures of src/frame/art, byte for byte.
add_test(NAME gen_menu_art_outputs
  COMMAND ${CMAKE_COMMAND}
    -DGENERATOR=$<TARGET_FILE:gen_menu_art>
    -DOUTPUT_DIR=${CMAKE_BINARY_DIR}/gen_menu_art_check
    -DCOMMITTED_DIR=${CMAKE_SOURCE_DIR}/src/frame/art
    "-DPATTERN=*.png"
    -P ${CMAKE_SOURCE_DIR}/tools/compare_outputs.cmake)
set_tests_properties(gen_menu_art_outputs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
