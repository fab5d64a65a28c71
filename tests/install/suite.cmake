# This build installed into a temporary prefix, and a game built against the install as a
# project of its own: with CMake's find_package(Parvolin) and with pkg-config. The
# outside build takes this build's compiler and, for the sanitizer pass, its sanitizers.
add_dependencies(install_tests Parvolin ParvolinMain Vorlequin)
set(PARVOLIN_OUTSIDE_FLAGS "")
if(PARVOLIN_SANITIZE)
  set(PARVOLIN_OUTSIDE_FLAGS "-fsanitize=address,undefined")
endif()
target_compile_definitions(install_tests PRIVATE
  PARVOLIN_BUILD_DIR="${PROJECT_BINARY_DIR}"
  PARVOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  PARVOLIN_CMAKE="${CMAKE_COMMAND}"
  PARVOLIN_CMAKE_GENERATOR="${CMAKE_GENERATOR}"
  PARVOLIN_CXX="${CMAKE_CXX_COMPILER}"
  PARVOLIN_PKG_CONFIG="${PKG_CONFIG_EXECUTABLE}"
  PARVOLIN_OUTSIDE_FLAGS="${PARVOLIN_OUTSIDE_FLAGS}")
