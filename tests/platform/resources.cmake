# The resources the platform suite's program embeds, found through its own module.
parvolin_add_resources(platform_tests
  101 BITMAP ${CMAKE_CURRENT_LIST_DIR}/resources/stripes24.bmp
  102 BITMAP ${CMAKE_CURRENT_LIST_DIR}/resources/palette8.bmp
  103 BITMAP ${CMAKE_CURRENT_LIST_DIR}/resources/rgb565.bmp
  104 BITMAP ${CMAKE_CURRENT_LIST_DIR}/resources/mono1.bmp
  105 BITMAP ${CMAKE_CURRENT_LIST_DIR}/resources/broken.bmp
  201 RCDATA ${CMAKE_CURRENT_LIST_DIR}/resources/hello.txt
  Logo PNG ${CMAKE_CURRENT_LIST_DIR}/resources/logo.bin
  7 300 ${CMAKE_CURRENT_LIST_DIR}/resources/empty.bin)
