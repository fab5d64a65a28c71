# A few ticks of Vorlequin's play field belong to the sequence that runs out of memory.
target_link_libraries(faults_tests PRIVATE VorlequinGame)
target_compile_definitions(faults_tests PRIVATE PARVOLIN_SOURCE_FOLDER="${PROJECT_SOURCE_DIR}")
