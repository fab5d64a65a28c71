# The game's classes are driven in-process; the built Vorlequin is run as a program, and
# the committed pictures are checked where they are made.
target_link_libraries(game_tests PRIVATE VorlequinGame)
add_dependencies(game_tests Vorlequin)
target_compile_definitions(game_tests PRIVATE VORLEQUIN_ASSET_FOLDER="${PROJECT_SOURCE_DIR}/game/assets")
list(APPEND PARVOLIN_SUITE_ENVIRONMENT "VORLEQUIN_PROGRAM=$<TARGET_FILE:Vorlequin>")
# The game's pictures beside the suite's program, where the game run in-process finds them.
foreach(name vorlequin-menu.png apple.gif)
  configure_file(${PROJECT_SOURCE_DIR}/game/assets/${name} ${CMAKE_CURRENT_BINARY_DIR}/${name} COPYONLY)
endforeach()
