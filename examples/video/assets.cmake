# The video example plays a clip made at build time with libtheora's encoder (tools/clipgen)
# and the subtitles written beside the example. Both go next to the program, where paths
# without a scheme are looked up.
set(PARVOLIN_VIDEO_EXAMPLE_CLIP ${CMAKE_CURRENT_BINARY_DIR}/subtitled_video.ogv)
set(PARVOLIN_VIDEO_EXAMPLE_SUBTITLES ${CMAKE_CURRENT_BINARY_DIR}/subtitled_video.srt)
add_custom_command(OUTPUT ${PARVOLIN_VIDEO_EXAMPLE_CLIP}
  COMMAND parvolin-clipgen ${PARVOLIN_VIDEO_EXAMPLE_CLIP}
  DEPENDS parvolin-clipgen)
add_custom_command(OUTPUT ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/subtitled_video.srt ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/subtitled_video.srt)
add_custom_target(subtitled_video_files DEPENDS ${PARVOLIN_VIDEO_EXAMPLE_CLIP} ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES})
add_dependencies(subtitled_video subtitled_video_files)
parvolin_program_files(subtitled_video ${PARVOLIN_VIDEO_EXAMPLE_CLIP} ${PARVOLIN_VIDEO_EXAMPLE_SUBTITLES})
