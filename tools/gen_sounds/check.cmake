# Test that the sound generator makes every sound the program opens, as valid WAV files,
# identical to the ones committed in data/Data/Snd.

set(GEN_SOUNDS_NAMES
  Telefon.wav Induktor1.wav Induktor2.wav Induktor3.wav Hrtl1.wav Hrtl2.wav
  Zvonek1.wav Zvonek2.wav Desticka1.wav Desticka2.wav Desticka3.wav Desticka4.wav
  Desticka5.wav Desticka6.wav IK.wav ID.wav Zavernik.wav Zaver1.wav Zaver2.wav
  Zaver3.wav Zaver4.wav Zarazka.wav)

add_test(NAME gen_sounds_outputs
  COMMAND ${CMAKE_COMMAND}
    -DGENERATOR=$<TARGET_FILE:gen_sounds>
    -DCHECKER=$<TARGET_FILE:gen_sounds_check>
    -DOUT_DIR=${CMAKE_BINARY_DIR}/gen_sounds_test
    -DCOMMITTED_DIR=${CMAKE_SOURCE_DIR}/data/Data/Snd
    "-DNAMES=${GEN_SOUNDS_NAMES}"
    -P ${CMAKE_CURRENT_LIST_DIR}/run_check.cmake)

add_test(NAME gen_sounds_wav_check COMMAND gen_sounds_wav_check_test)
