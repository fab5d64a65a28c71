# Links the public headers (the ones an install copies) under <dir>/Parvolin/ for Doxygen,
# so that the reference shows exactly them, each under the name a game includes it by.
#   cmake -DDIR=<dir> -P docs/reference/StageHeaders.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ParvolinLayers.cmake)
get_filename_component(framework "${CMAKE_CURRENT_LIST_DIR}/../../framework" ABSOLUTE)
if(NOT DIR)
  message(FATAL_ERROR "Usage: cmake -DDIR=<dir> -P ${CMAKE_CURRENT_LIST_FILE}")
endif()
parvolin_public_headers("${framework}" headers)
file(REMOVE_RECURSE "${DIR}/Parvolin")
foreach(header IN LISTS headers)
  get_filename_component(folder "${DIR}/Parvolin/${header}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(CREATE_LINK "${framework}/${header}" "${DIR}/Parvolin/${header}" SYMBOLIC)
endforeach()
list(LENGTH headers count)
message(STATUS "${count} public headers staged in ${DIR}/Parvolin")
