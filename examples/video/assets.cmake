# The video example plays the clip beside it and its subtitles; both go next to the program,
# where paths without a scheme are looked up. The clip is kept in the tree rather than
# encoded at build time: libtheora's encoder gives other bytes on other processors and
# builds, and the committed screenshots must come from the same clip everywhere
# (`./parvolin assets` encodes it anew with tools/clipgen).
set(PARVOLIN_VIDEO_EXAMPLE_CLIP ${CMAKE_CURRENT_BINARY_DIR}/subtitled_video.ogv)
set(PARVOLIN_VIDEO_EXAMPLE_SUBTITLES ${CMAKE_CURRENT_BINARY_DIR}/subtitled_video.srt)
add_custom_command(OUTPUT ${PARVOLIN_VIDEO_EXAMPLE_CLIP}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/subtitled_video.ogv ${PARVOLIN_VIDEO_EXAMPLE_CLIP}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/subtitled_video.ogv)
add_custom_command(OUTPUT ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/subtitled_video.srt ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/subtitled_video.srt)
add_custom_target(subtitled_video_files DEPENDS ${PARVOLIN_VIDEO_EXAMPLE_CLIP} ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES})
add_dependencies(subtitled_video subtitled_video_files)
parvolin_program_files(subtitled_video ${PARVOLIN_VIDEO_EXAMPLE_CLIP} ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES})
