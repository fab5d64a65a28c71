# The guides in docs/ show programs, and the tests run them, so that a guide cannot drift
# from the code. In a guide,
#
#   <!-- listing: NAME -->        followed by a ```cpp block: a whole program, built as NAME
#   <!-- file: NAME -->           followed by a fenced block: a file the programs read
#   <!-- script: NAME [VAR=VALUE ...] -->   followed by a fenced block: an input script
#   <!-- script: NAME [VAR=VALUE ...]
#   FRAME COMMAND ...
#   -->                           the same, not shown
#
# Each script is a run of program NAME headless (tests/guides): it must end with status 0,
# and every `shot FILE` it takes, relative to the run's working folder, must equal
# docs/pictures/FILE pixel for pixel. Every picture a guide shows from pictures/ must be
# such a shot. The programs are built in <build>/guides/programs, beside the files they read
# (the guides' own, those made by docs/assets/GuideAssets.cpp, and the examples' clip).

set(PARVOLIN_GUIDE_DIR ${PROJECT_BINARY_DIR}/guides)
set(PARVOLIN_GUIDE_PROGRAMS ${PARVOLIN_GUIDE_DIR}/programs)
set(PARVOLIN_GUIDE_MANIFEST ${PARVOLIN_GUIDE_DIR}/runs.txt)

# Writes `content` to `path` only when it changed, so that an edit of one guide rebuilds
# only the programs it touched.
function(parvolin_guide_write path content)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${path} "${content}")
endfunction()

# The text of the first fenced block at or after `from` in `text`, its end in `end`.
function(parvolin_guide_block text from name out end)
  string(SUBSTRING "${text}" ${from} -1 rest)
  string(FIND "${rest}" "```" open)
  if(open EQUAL -1)
    message(FATAL_ERROR "guide: no fenced block after the marker of ${name}")
  endif()
  string(SUBSTRING "${rest}" ${open} -1 rest)
  string(FIND "${rest}" "\n" lineEnd)
  math(EXPR bodyStart "${lineEnd} + 1")
  string(SUBSTRING "${rest}" ${bodyStart} -1 body)
  string(FIND "${body}" "\n```" close)
  if(close EQUAL -1)
    message(FATAL_ERROR "guide: the block of ${name} is not closed")
  endif()
  math(EXPR close "${close} + 1")
  string(SUBSTRING "${body}" 0 ${close} body)
  set(${out} "${body}" PARENT_SCOPE)
  math(EXPR consumed "${from} + ${open} + ${bodyStart} + ${close} + 3")
  set(${end} ${consumed} PARENT_SCOPE)
endfunction()

file(GLOB PARVOLIN_GUIDES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
set(PARVOLIN_GUIDE_LISTINGS "")
set(PARVOLIN_GUIDE_SHOTS "")
set(manifest "")
foreach(guide ${PARVOLIN_GUIDES})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${guide})
  get_filename_component(guideName ${guide} NAME)
  file(READ ${guide} text)
  set(position 0)
  set(runs 0)
  while(TRUE)
    string(SUBSTRING "${text}" ${position} -1 rest)
    string(FIND "${rest}" "<!-- listing: " listingAt)
    string(FIND "${rest}" "<!-- script: " scriptAt)
    string(FIND "${rest}" "<!-- file: " fileAt)
    # The first marker of the three comes next.
    set(next "")
    set(nextAt -1)
    foreach(kind listing script file)
      if(NOT ${kind}At EQUAL -1 AND (nextAt EQUAL -1 OR ${kind}At LESS nextAt))
        set(next ${kind})
        set(nextAt ${${kind}At})
      endif()
    endforeach()
    if(next STREQUAL "")
      break()
    endif()
    if(next STREQUAL "file")
      math(EXPR at "${position} + ${fileAt} + 11")
      string(SUBSTRING "${text}" ${at} -1 rest)
      string(FIND "${rest}" " -->" nameEnd)
      string(SUBSTRING "${rest}" 0 ${nameEnd} name)
      if(NOT name MATCHES "^[A-Za-z0-9._-]+$")
        message(FATAL_ERROR "${guideName}: file \"${name}\" is not a plain file name")
      endif()
      math(EXPR at "${at} + ${nameEnd}")
      parvolin_guide_block("${text}" ${at} ${name} content position)
      parvolin_guide_write(${PARVOLIN_GUIDE_PROGRAMS}/${name} "${content}")
    elseif(next STREQUAL "listing")
      math(EXPR at "${position} + ${listingAt} + 14")
      string(SUBSTRING "${text}" ${at} -1 rest)
      string(FIND "${rest}" " -->" nameEnd)
      string(SUBSTRING "${rest}" 0 ${nameEnd} name)
      if(NOT name MATCHES "^[a-z0-9-]+$" OR name IN_LIST PARVOLIN_GUIDE_LISTINGS)
        message(FATAL_ERROR "${guideName}: listing \"${name}\" is not a new name of a-z, 0-9 and -")
      endif()
      math(EXPR at "${at} + ${nameEnd}")
      parvolin_guide_block("${text}" ${at} ${name} code position)
      parvolin_guide_write(${PARVOLIN_GUIDE_DIR}/sources/${name}.cpp "${code}")
      list(APPEND PARVOLIN_GUIDE_LISTINGS ${name})
    else()
      math(EXPR at "${position} + ${scriptAt} + 13")
      string(SUBSTRING "${text}" ${at} -1 rest)
      string(FIND "${rest}" "-->" commentEnd)
      string(SUBSTRING "${rest}" 0 ${commentEnd} comment)
      string(FIND "${comment}" "\n" lineEnd)
      if(lineEnd EQUAL -1)
        string(STRIP "${comment}" header)
        math(EXPR at "${at} + ${commentEnd} + 3")
        parvolin_guide_block("${text}" ${at} "a script" script position)
      else()
        string(SUBSTRING "${comment}" 0 ${lineEnd} header)
        string(STRIP "${header}" header)
        math(EXPR lineEnd "${lineEnd} + 1")
        string(SUBSTRING "${comment}" ${lineEnd} -1 script)
        math(EXPR position "${at} + ${commentEnd} + 3")
      endif()
      string(REPLACE " " ";" words "${header}")
      list(POP_FRONT words program)
      math(EXPR runs "${runs} + 1")
      string(REGEX REPLACE "\\.md$" "" guideStem ${guideName})
      set(scriptFile ${PARVOLIN_GUIDE_DIR}/scripts/${guideStem}-${runs}.txt)
      parvolin_guide_write(${scriptFile} "${script}")
      string(REGEX MATCHALL "[0-9]+[ \t]+shot[ \t]+[^\n]+" shotLines "${script}")
      foreach(line ${shotLines})
        string(REGEX REPLACE "^[0-9]+[ \t]+shot[ \t]+" "" shot "${line}")
        list(APPEND PARVOLIN_GUIDE_SHOTS ${shot})
      endforeach()
      string(JOIN "\t" entry "${guideStem}_${runs}" ${program} ${scriptFile} ${words})
      string(APPEND manifest "${entry}\n")
      list(APPEND PARVOLIN_GUIDE_RUN_PROGRAMS ${program})
    endif()
  endwhile()

  # Every picture the guide shows is one of the runs' shots.
  string(REGEX MATCHALL "\\(pictures/[A-Za-z0-9_.-]+\\)" pictures "${text}")
  foreach(picture ${pictures})
    string(REGEX REPLACE "^\\(pictures/(.*)\\)$" "\\1" picture "${picture}")
    list(APPEND PARVOLIN_GUIDE_PICTURES ${picture})
  endforeach()
endforeach()
parvolin_guide_write(${PARVOLIN_GUIDE_MANIFEST} "${manifest}")

foreach(picture IN LISTS PARVOLIN_GUIDE_PICTURES)
  if(NOT picture IN_LIST PARVOLIN_GUIDE_SHOTS)
    message(SEND_ERROR "docs: pictures/${picture} is shown by a guide but no guide's script shoots it")
  endif()
endforeach()
foreach(program IN LISTS PARVOLIN_GUIDE_RUN_PROGRAMS)
  if(NOT program IN_LIST PARVOLIN_GUIDE_LISTINGS)
    message(SEND_ERROR "docs: a script runs \"${program}\", which no guide lists")
  endif()
endforeach()

# The files the programs read that a guide does not show: sprites, sounds, a ZIP archive, a clip.
add_executable(parvolin-guide-assets ${PROJECT_SOURCE_DIR}/docs/assets/GuideAssets.cpp)
target_link_libraries(parvolin-guide-assets PRIVATE Parvolin ParvolinTestData)
parvolin_warnings(parvolin-guide-assets)
set(PARVOLIN_GUIDE_ASSETS ship.png ghost.png beep.wav tune.ogg level.txt data.zip)
list(TRANSFORM PARVOLIN_GUIDE_ASSETS PREPEND ${PARVOLIN_GUIDE_PROGRAMS}/)
add_custom_command(OUTPUT ${PARVOLIN_GUIDE_ASSETS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PARVOLIN_GUIDE_PROGRAMS}
  COMMAND parvolin-guide-assets ${PARVOLIN_GUIDE_PROGRAMS}
  DEPENDS parvolin-guide-assets)
# The clip is the video example's, kept in the tree so that every build shows the same frames.
add_custom_command(OUTPUT ${PARVOLIN_GUIDE_PROGRAMS}/clip.ogv
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PARVOLIN_GUIDE_PROGRAMS}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/examples/video/subtitled_video.ogv ${PARVOLIN_GUIDE_PROGRAMS}/clip.ogv
  DEPENDS ${PROJECT_SOURCE_DIR}/examples/video/subtitled_video.ogv)
add_custom_target(parvolin-guides DEPENDS ${PARVOLIN_GUIDE_ASSETS} ${PARVOLIN_GUIDE_PROGRAMS}/clip.ogv)

foreach(name ${PARVOLIN_GUIDE_LISTINGS})
  add_executable(guide-${name} ${PARVOLIN_GUIDE_DIR}/sources/${name}.cpp)
  target_link_libraries(guide-${name} PRIVATE Parvolin ParvolinMain)
  set_target_properties(guide-${name} PROPERTIES OUTPUT_NAME ${name}
    RUNTIME_OUTPUT_DIRECTORY ${PARVOLIN_GUIDE_PROGRAMS})
  parvolin_warnings(guide-${name})
  add_dependencies(parvolin-guides guide-${name})
endforeach()
