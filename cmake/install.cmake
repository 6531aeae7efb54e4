# cmake --install: the headers (classic and modern), the shared and the static library, the tool
# with its manual page and bash completion, a CMake package
# (find_package(kalder32) gives kalder32::kalder32 and
# kalder32::kalder32_static), a pkg-config file, and the licence and README.
# cpack -G DEB makes a Debian package of the same files under /usr.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KALDER_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kalder32)

install(FILES ${PROJECT_SOURCE_DIR}/include/kalder32.h ${PROJECT_SOURCE_DIR}/include/kalder.h
              ${PROJECT_SOURCE_DIR}/include/kalder.hpp
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
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

# The tool's manual page and completion; the licence, also as the Debian
# copyright file, and the README.
configure_file(${PROJECT_SOURCE_DIR}/tools/share/kaldate.1.in ${PROJECT_BINARY_DIR}/kaldate.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kaldate.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/tools/share/kaldate.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kaldate)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE KALDER_LICENSE_TEXT)
string(REGEX REPLACE "\n\n" "\n.\n" KALDER_LICENSE_TEXT "${KALDER_LICENSE_TEXT}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" KALDER_LICENSE_TEXT "${KALDER_LICENSE_TEXT}")
file(WRITE ${PROJECT_BINARY_DIR}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: kalder32\n\n"
     "Files: *\nCopyright: 2026 The KALDER32 developers\nLicense: MIT\n ${KALDER_LICENSE_TEXT}")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md
              ${PROJECT_BINARY_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The examples, as source, beside the README that points to them.
install(FILES ${PROJECT_SOURCE_DIR}/examples/typical.c ${PROJECT_SOURCE_DIR}/examples/linux.c
              ${PROJECT_SOURCE_DIR}/examples/threads.cpp ${PROJECT_SOURCE_DIR}/examples/modern.c
              ${PROJECT_SOURCE_DIR}/examples/modern.cpp
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_PACKAGE_NAME kalder32)
set(CPACK_PACKAGE_VENDOR "The KALDER32 developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "dates and times in the user's international settings (library and kaldate)")
set(CPACK_PACKAGE_DESCRIPTION
    "KALDER32 formats, reads and checks dates and times with the user's international
settings. This package holds the shared and static library, the header, the
CMake package, the pkg-config file and the kaldate tool.")
set(CPACK_PACKAGE_CONTACT "The KALDER32 developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
