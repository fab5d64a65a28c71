# The web build with Debian's Emscripten; `./parvolin web` uses this file. By hand:
#   cmake -S . -B build-web -G Ninja --toolchain cmake/toolchains/emscripten.cmake \
#     -DPARVOLIN_WEB_SOURCES=<folder with the unpacked Debian sources (see ./parvolin)>
set(PARVOLIN_EMSCRIPTEN_ROOT /usr/share/emscripten CACHE PATH "Emscripten's folder")
include(${PARVOLIN_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

# Debian's Emscripten finds its optimiser's modules (acorn and the like) only through
# NODE_PATH; every compile and link gets it, so the user's environment needs nothing.
set(PARVOLIN_EMSCRIPTEN_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
foreach(language C CXX)
  set(CMAKE_${language}_COMPILER_LAUNCHER ${PARVOLIN_EMSCRIPTEN_ENV})
  set(CMAKE_${language}_LINKER_LAUNCHER ${PARVOLIN_EMSCRIPTEN_ENV})
endforeach()
set(ENV{NODE_PATH} /usr/share/nodejs)

# Programs the build runs (the video example's clip maker) run under Node.js. A Node.js
# newer than this Emscripten has a global fetch, which its loader then takes for reading
# the .wasm beside the program, and fails on a file path: without it, the loader reads
# the file.
find_program(PARVOLIN_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${PARVOLIN_NODE};--no-experimental-fetch")
