# What `cmake --install <build> --prefix P` puts under P:
#   lib/libParvolin.so (with its version links) and lib/libParvolinMain.a
#   include/Parvolin/         the public headers only (Parvolin.h and what it includes,
#                             and the resource table): -I P/include, then
#                             #include <Parvolin/Parvolin.h>
#   lib/cmake/Parvolin/       the package: find_package(Parvolin) gives Parvolin::Parvolin
#                             and Parvolin::ParvolinMain, and parvolin_add_resources()
#   lib/pkgconfig/            parvolin.pc (the library) and parvolin-main.pc (the entry
#                             library, which requires parvolin: its Libs put -lParvolinMain
#                             before -lParvolin)
#   bin/Vorlequin             with its pictures beside it (installed from game/)
include(CMakePackageConfigHelpers)

set(PARVOLIN_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Parvolin)

install(TARGETS Parvolin ParvolinMain EXPORT ParvolinTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(header ${PARVOLIN_PUBLIC_HEADERS})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/framework/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/Parvolin/${folder})
endforeach()
install(EXPORT ParvolinTargets NAMESPACE Parvolin:: DESTINATION ${PARVOLIN_PACKAGE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ParvolinConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ParvolinConfig.cmake INSTALL_DESTINATION ${PARVOLIN_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ParvolinConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ParvolinConfig.cmake ${PROJECT_BINARY_DIR}/ParvolinConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/ParvolinResources.cmake DESTINATION ${PARVOLIN_PACKAGE_DIR})

# The pkg-config files find the prefix from where they lie, so the prefix chosen at
# install time holds.
set(PARVOLIN_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH PARVOLIN_PKGCONFIG_TO_PREFIX /prefix/${PARVOLIN_PKGCONFIG_DIR} /prefix)
foreach(name parvolin parvolin-main)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${name}.pc.in ${PROJECT_BINARY_DIR}/${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${name}.pc DESTINATION ${PARVOLIN_PKGCONFIG_DIR})
endforeach()
