# The layers of the library, lowest first. A file may include headers of its own layer
# and of the layers below it, never of a layer above; from another folder it may include
# only that folder's interface: the public headers, and the few headers a folder shares
# with the rest of the library (PARVOLIN_SHARED_HEADERS below).
#
#   platform/   the emulated handheld system, itself in layers:
#     base/       types, handles, last error, text conversion, the clock, the host interface
#     device/     device profiles, the emulated screen, the glass
#     system/     the system's calls for files, modules and resources, system services,
#                 events, the wave output and the sound it gives out
#     windows/    windows, messages and their queue, the task bar, the desktop registry,
#                 the program's entry
#     gdi/        device contexts, DIB sections, bitmap resources, the raw frame buffer
#     libraries/  the libraries loaded at run time: the shell helper, GX.dll, ddraw.dll
#     input/      input scripts, recordings, the frame-tick schedule, device input
#     hosts/      what shows the device: the SDL window, headless
#   core/       result codes, Config, Device: what every subsystem needs
#   pixels/     the pixel rules and their vector kernels
#   files/      File, paths, local storage and ZIP archives
#   graphics/   Rect and Point, Surface, blits, shaders, SurfaceRGBA
#   images/     image files into surfaces and back
#   text/       fonts, panels, animation
#   display/    the display and its back ends
#   audio/      sounds, music and the mixer, over the device's wave output
#   app/        handlers, states, the application and its loop, frame pacing
#   video/      Theora video and subtitles
#
# Export.h sits below every layer and Parvolin.h above them all. Nothing outside platform/
# includes an operating-system header: the device layer is the one place that knows it
# runs on Linux. Games and examples include <Parvolin/...> public headers only.
#
# `cmake -P cmake/ParvolinLayers.cmake` checks the tree (the tests and .ci/run do) and
# names each file and include that breaks a rule. The build includes this file for the
# list of public headers.

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

set(PARVOLIN_PLATFORM_LAYERS base device system windows gdi libraries input hosts)
set(PARVOLIN_LAYERS core pixels files graphics images text display audio app video)

# Headers a folder shares with the layers above it although they are not public, each
# for a reason: the system's calls that the framework makes, the rectangle rule that
# panels clip by, the shaders' row loops that text and animation use, the mixer's stream
# channels and the decoder interface that a video plays its sound track through. Every header of
# core/ and pixels/ is shared.
set(PARVOLIN_SHARED_HEADERS
  platform/base/LastError.h
  platform/base/ProcCast.h
  platform/system/Files.h
  platform/system/Modules.h
  platform/system/Resources.h
  platform/system/SystemServices.h
  platform/system/WaveOut.h
  platform/windows/Windows.h
  platform/windows/Messages.h
  platform/gdi/Gdi.h
  platform/gdi/RawFrameBuffer.h
  platform/libraries/ShellHelper.h
  platform/libraries/GameApi.h
  platform/libraries/DirectDraw.h
  graphics/RectRule.h
  graphics/BlitRows.h
  audio/AudioStreams.h
  audio/DecodedStream.h
  audio/SoundDecoder.h)
set(PARVOLIN_SHARED_FOLDERS core pixels)

# The headers a game may include: what Parvolin.h includes, and so on, plus the table
# that embedded resources fill in.
function(parvolin_public_headers framework out)
  set(pending Parvolin.h platform/system/ResourceTable.h)
  set(found "")
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST found)
      continue()
    endif()
    list(APPEND found ${header})
    file(STRINGS "${framework}/${header}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      if(line MATCHES "#[ \t]*include[ \t]*[<\"](Parvolin/)?([^>\"]+)[>\"]")
        set(included "${CMAKE_MATCH_2}")
        if(EXISTS "${framework}/${included}")
          list(APPEND pending ${included})
        endif()
      endif()
    endforeach()
  endwhile()
  list(SORT found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The folder (the top-level one) and rank (a platform sub-folder has its own) of a
# framework path.
function(_parvolin_layer path out_folder out_rank)
  if(path STREQUAL "Export.h")
    set(${out_folder} "" PARENT_SCOPE)
    set(${out_rank} -1 PARENT_SCOPE)
    return()
  elseif(path STREQUAL "Parvolin.h")
    set(${out_folder} "" PARENT_SCOPE)
    set(${out_rank} 1000 PARENT_SCOPE)
    return()
  endif()
  string(REPLACE "/" ";" parts "${path}")
  list(GET parts 0 top)
  list(LENGTH PARVOLIN_PLATFORM_LAYERS platformCount)
  if(top STREQUAL "platform")
    list(GET parts 1 sub)
    list(FIND PARVOLIN_PLATFORM_LAYERS "${sub}" rank)
    # Its sub-folders are layers of one subsystem: they share their internals.
    set(folder "platform")
  else()
    list(FIND PARVOLIN_LAYERS "${top}" rank)
    if(rank GREATER_EQUAL 0)
      math(EXPR rank "${rank} + ${platformCount}")
    endif()
    set(folder "${top}")
  endif()
  set(${out_folder} "${folder}" PARENT_SCOPE)
  set(${out_rank} ${rank} PARENT_SCOPE)
endfunction()

# The includes of a file as "<kind><path>" items: q for quoted, a for angled.
function(_parvolin_includes file out)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  set(items "")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      list(APPEND items "q${CMAKE_MATCH_1}")
    elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      list(APPEND items "a${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${out} "${items}" PARENT_SCOPE)
endfunction()

function(parvolin_check_layers top)
  set(framework "${top}/framework")
  parvolin_public_headers("${framework}" public)
  set(problems "")
  set(systemHeaders "^(sys/|linux/|asm/|SDL|unistd\\.h|fcntl\\.h|dirent\\.h|dlfcn\\.h|pthread\\.h|sched\\.h|time\\.h|signal\\.h|poll\\.h|termios\\.h|errno\\.h)")

  file(GLOB_RECURSE sources RELATIVE "${framework}" "${framework}/*.h" "${framework}/*.cpp" "${framework}/*.c")
  foreach(source IN LISTS sources)
    _parvolin_layer("${source}" folder rank)
    if(rank LESS -1)
      list(APPEND problems "framework/${source}: its folder is in no layer")
      continue()
    endif()
    get_filename_component(sourceDir "${source}" DIRECTORY)
    set(isPublic FALSE)
    if(source IN_LIST public)
      set(isPublic TRUE)
    endif()
    _parvolin_includes("${framework}/${source}" includes)
    foreach(item IN LISTS includes)
      string(SUBSTRING "${item}" 0 1 kind)
      string(SUBSTRING "${item}" 1 -1 header)
      set(target "")
      if(kind STREQUAL "a" AND header MATCHES "^Parvolin/(.+)$")
        set(target "${CMAKE_MATCH_1}")
      elseif(kind STREQUAL "q" AND EXISTS "${framework}/${header}")
        set(target "${header}")
      elseif(kind STREQUAL "q" AND EXISTS "${framework}/${sourceDir}/${header}")
        set(target "${sourceDir}/${header}")
      elseif(kind STREQUAL "q")
        list(APPEND problems "framework/${source}: includes \"${header}\", which is no header of the library")
        continue()
      endif()
      if(target STREQUAL "")
        # A header from outside the library.
        if(isPublic AND (header MATCHES "[./]"))
          list(APPEND problems "framework/${source}: a public header includes <${header}>, which is not the standard library's")
        elseif(NOT folder STREQUAL "platform" AND header MATCHES "${systemHeaders}")
          list(APPEND problems "framework/${source}: includes the operating system's <${header}> outside the device layer")
        endif()
        continue()
      endif()
      if(NOT EXISTS "${framework}/${target}")
        list(APPEND problems "framework/${source}: includes <Parvolin/${target}>, which does not exist")
        continue()
      endif()
      _parvolin_layer("${target}" targetFolder targetRank)
      if(isPublic AND NOT target IN_LIST public)
        list(APPEND problems "framework/${source}: a public header includes the internal header ${target}")
      elseif(isPublic AND kind STREQUAL "q")
        list(APPEND problems "framework/${source}: a public header includes \"${header}\"; write <Parvolin/${target}>, which holds after installing")
      endif()
      if(targetRank GREATER rank)
        list(APPEND problems "framework/${source}: includes ${target}, from a layer above its own")
      elseif(NOT targetFolder STREQUAL folder AND NOT targetFolder STREQUAL ""
             AND NOT target IN_LIST public AND NOT target IN_LIST PARVOLIN_SHARED_HEADERS
             AND NOT targetFolder IN_LIST PARVOLIN_SHARED_FOLDERS)
        list(APPEND problems "framework/${source}: includes ${target}, an internal header of ${targetFolder}/")
      endif()
    endforeach()
  endforeach()

  # Games and examples take the library as an outside game does.
  foreach(dir game examples)
    file(GLOB_RECURSE sources RELATIVE "${top}" "${top}/${dir}/*.h" "${top}/${dir}/*.cpp")
    foreach(source IN LISTS sources)
      get_filename_component(sourceDir "${top}/${source}" DIRECTORY)
      _parvolin_includes("${top}/${source}" includes)
      foreach(item IN LISTS includes)
        string(SUBSTRING "${item}" 0 1 kind)
        string(SUBSTRING "${item}" 1 -1 header)
        if(kind STREQUAL "a" AND header MATCHES "^Parvolin/(.+)$")
          if(NOT CMAKE_MATCH_1 IN_LIST public)
            list(APPEND problems "${source}: includes <${header}>, which is not a public header")
          endif()
        elseif(kind STREQUAL "q" AND NOT EXISTS "${sourceDir}/${header}")
          list(APPEND problems "${source}: includes \"${header}\", but the library is included as <Parvolin/...>")
        endif()
      endforeach()
    endforeach()
  endforeach()

  if(problems)
    list(LENGTH problems count)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "Layer check: ${count} problem(s):\n  ${text}")
  endif()
  message(STATUS "Layer check: every include keeps to the layers")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  get_filename_component(parvolinTop "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
  parvolin_check_layers("${parvolinTop}")
endif()
