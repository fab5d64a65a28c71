# The guides' programs (cmake/ParvolinGuides.cmake) and the runs their scripts make.
add_dependencies(guides_tests parvolin-guides)
target_compile_definitions(guides_tests PRIVATE
  PARVOLIN_GUIDE_MANIFEST="${PARVOLIN_GUIDE_MANIFEST}"
  PARVOLIN_GUIDE_PROGRAMS="${PARVOLIN_GUIDE_PROGRAMS}"
  PARVOLIN_GUIDE_PICTURES="${PROJECT_SOURCE_DIR}/docs/pictures")
