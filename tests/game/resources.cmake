# The game's sounds, embedded as the program embeds them, for the game run in-process.
parvolin_add_resources(game_tests
  401 WAVE ${PROJECT_SOURCE_DIR}/game/assets/eat.wav
  402 WAVE ${PROJECT_SOURCE_DIR}/game/assets/die.wav
  403 WAVE ${PROJECT_SOURCE_DIR}/game/assets/tap.wav)
