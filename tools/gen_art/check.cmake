# Runs gen_art into a scratch folder of the build and checks its 80
# pictures: names, pixel sizes, formats by their magic bytes, and that
# they are byte for byte the copies committed in src/devices/art.
add_test(NAME gen_art_outputs
  COMMAND ${CMAKE_COMMAND}
    -DGEN_ART=$<TARGET_FILE:gen_art>
    -DCHECKER=$<TARGET_FILE:gen_art_check>
    -DOUT_DIR=${CMAKE_BINARY_DIR}/gen_art_check_out
    -DCOMMITTED_DIR=${CMAKE_SOURCE_DIR}/src/devices/art
    -P ${CMAKE_CURRENT_LIST_DIR}/run_check.cmake)
set_tests_properties(gen_art_outputs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
