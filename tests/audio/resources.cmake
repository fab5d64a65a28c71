# A sound the audio suite's program embeds, found through its own module.
parvolin_add_resources(audio_tests
  301 WAVE ${CMAKE_CURRENT_LIST_DIR}/resources/click.wav
  302 RCDATA ${CMAKE_CURRENT_LIST_DIR}/resources/click.wav)
