# The interface as an outside game meets it: the library's exported symbols, its public
# headers compiled with strict warnings by both compilers, and a game that takes the
# library in with add_subdirectory.
# The nm of the toolchain reads the library whatever machine it is built for; the outside
# game is built with this build's toolchain file, if any.
if(CMAKE_NM)
  set(PARVOLIN_NM ${CMAKE_NM})
else()
  find_program(PARVOLIN_NM NAMES nm REQUIRED)
endif()
find_program(PARVOLIN_GXX NAMES g++)
find_program(PARVOLIN_CLANGXX NAMES clang++ clang++-14)
add_dependencies(interface_tests Parvolin)
target_compile_definitions(interface_tests PRIVATE
  PARVOLIN_LIBRARY="$<TARGET_FILE:Parvolin>"
  PARVOLIN_PUBLIC_INCLUDE="${PARVOLIN_PUBLIC_INCLUDE_DIR}"
  PARVOLIN_SYMBOL_LIST="${CMAKE_CURRENT_LIST_DIR}/exported-symbols.txt"
  PARVOLIN_OUTSIDE_PROJECT="${CMAKE_CURRENT_LIST_DIR}/outside"
  PARVOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  PARVOLIN_NM="${PARVOLIN_NM}"
  PARVOLIN_GXX="${PARVOLIN_GXX}"
  PARVOLIN_CLANGXX="${PARVOLIN_CLANGXX}"
  PARVOLIN_CMAKE="${CMAKE_COMMAND}"
  PARVOLIN_CMAKE_GENERATOR="${CMAKE_GENERATOR}"
  PARVOLIN_TOOLCHAIN_FILE="${CMAKE_TOOLCHAIN_FILE}"
  PARVOLIN_SANITIZED=$<BOOL:${PARVOLIN_SANITIZE}>)
