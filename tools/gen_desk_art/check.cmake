# Runs gen_desk_art into a scratch folder of the build and checks that its
# pictures are byte for byte the copies committed in src/devices/art/desk.
add_test(NAME gen_desk_art_outputs
  COMMAND gen_desk_art ${CMAKE_BINARY_DIR}/gen_desk_art_check_out ${CMAKE_SOURCE_DIR}/src/devices/art/desk)
set_tests_properties(gen_desk_art_outputs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
