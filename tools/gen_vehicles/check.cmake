# Runs gen_vehicles into a fresh folder of the build tree and checks that it
# draws exactly the committed pictures of data/Vozidla, each named in the
# vehicles file, 64 px high, as 24-bit BMP, and the two metafiles byte for byte.
add_test(NAME gen_vehicles_outputs
  COMMAND ${CMAKE_COMMAND}
    -DGENERATOR=$<TARGET_FILE:gen_vehicles>
    -DOUTPUT_DIR=${CMAKE_BINARY_DIR}/gen_vehicles_check
    -DCOMMITTED_DIR=${CMAKE_SOURCE_DIR}/data/Vozidla
    -DVEHICLES_FILE=${CMAKE_SOURCE_DIR}/data/Vozidla.txt
    -P ${CMAKE_CURRENT_LIST_DIR}/check_outputs.cmake)
