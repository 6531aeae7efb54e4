# cmake --install: the header, the shared and the static library, the tool,
# a CMake package (find_package(kalder32) gives kalder32::kalder32 and
# kalder32::kalder32_static) and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KALDER_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kalder32)

install(FILES ${PROJECT_SOURCE_DIR}/include/kalder32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS kalder32 kalder32_archive EXPORT kalder32Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS kaldate RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT kalder32Targets NAMESPACE kalder32:: DESTINATION ${KALDER_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kalder32Config.cmake.in
  ${PROJECT_BINARY_DIR}/kalder32Config.cmake INSTALL_DESTINATION ${KALDER_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kalder32ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kalder32Config.cmake
              ${PROJECT_BINARY_DIR}/kalder32ConfigVersion.cmake
        DESTINATION ${KALDER_CMAKE_DIR})

# From <libdir>/pkgconfig back up to the prefix.
file(RELATIVE_PATH KALDER_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/kalder32.pc.in ${PROJECT_BINARY_DIR}/kalder32.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kalder32.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
