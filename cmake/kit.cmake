# The distributable kit of the win32 build: a folder and a zip holding the
# library, its English resource module, the headers, an import library, the
# tool, the example, the translations (one folder per language) and a short
# installation text. Also the tests of the kit and of the translations.
# The debug files of its images go in a second folder and zip beside it.
# Its text files have Windows line ends, and it is a CMake package.
set(KALDER_KIT_NAME kalder32-${PROJECT_VERSION}-kit)
set(KALDER_KIT_DIR ${PROJECT_BINARY_DIR}/${KALDER_KIT_NAME})
set(KALDER_KIT_ZIP ${PROJECT_BINARY_DIR}/${KALDER_KIT_NAME}.zip)
set(KALDER_DEBUG_NAME kalder32-${PROJECT_VERSION}-debug)
set(KALDER_DEBUG_DIR ${PROJECT_BINARY_DIR}/${KALDER_DEBUG_NAME})
set(KALDER_DEBUG_ZIP ${PROJECT_BINARY_DIR}/${KALDER_DEBUG_NAME}.zip)
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kit-cmake/kalder32ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
set(KALDER_DLLTOOL ${KALDER_MINGW_PREFIX}-dlltool)

# The import library made from the export list alone.  On 32-bit Windows
# its symbols carry the stdcall decoration callers' objects refer to
# (Name@N), and -k takes the @N off the names imported from the DLL, which
# exports them undecorated.  The export list names each export as
# "Name = Name@N @ordinal"; the import list keeps "Name@N @ordinal".  On
# 64-bit Windows nothing is decorated and the export list serves as it is.
set(KALDER_IMPORT_LIB ${KALDER_WIN32_OUT}/libkalder32.a)
if(KALDER_WIN_ARCH STREQUAL x64)
  set(KALDER_IMPORT_DEF ${KALDER_EXPORT_DEF})
  set(KALDER_DLLTOOL_FLAGS)
else()
  set(KALDER_IMPORT_DEF ${PROJECT_BINARY_DIR}/KALDER32.def)
  kalder_write_def(${KALDER_IMPORT_DEF}
                   "Imports of the 32-bit KALDER32.dll: each stdcall symbol at its ordinal (dlltool -k)."
                   SYMBOLS)
  set(KALDER_DLLTOOL_FLAGS -k)
endif()
add_custom_command(
  OUTPUT ${KALDER_IMPORT_LIB}
  COMMAND ${KALDER_DLLTOOL} -d ${KALDER_IMPORT_DEF} ${KALDER_DLLTOOL_FLAGS} -l ${KALDER_IMPORT_LIB}
          -D KALDER32.dll
  DEPENDS ${KALDER_IMPORT_DEF}
  COMMENT "Import library libkalder32.a"
  VERBATIM)
add_custom_target(kalder32_import_lib ALL DEPENDS ${KALDER_IMPORT_LIB})

# KALDER32.lib, the import library in the format of Microsoft's linker,
# made by LLVM's dlltool from the same list in the same way.
find_program(KALDER_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-16 llvm-dlltool-15 llvm-dlltool-14
             REQUIRED)
if(KALDER_WIN_ARCH STREQUAL x64)
  set(KALDER_LLVM_MACHINE i386:x86-64)
else()
  set(KALDER_LLVM_MACHINE i386)
endif()
set(KALDER_MSVC_LIB ${KALDER_WIN32_OUT}/KALDER32.lib)
add_custom_command(
  OUTPUT ${KALDER_MSVC_LIB}
  COMMAND ${KALDER_LLVM_DLLTOOL} -m ${KALDER_LLVM_MACHINE} -d ${KALDER_IMPORT_DEF}
          ${KALDER_DLLTOOL_FLAGS} -l ${KALDER_MSVC_LIB}
  DEPENDS ${KALDER_IMPORT_DEF}
  COMMENT "Import library KALDER32.lib"
  VERBATIM)
add_custom_target(kalder32_msvc_lib ALL DEPENDS ${KALDER_MSVC_LIB})

add_library(kalder32_import INTERFACE)
target_link_libraries(kalder32_import INTERFACE ${KALDER_IMPORT_LIB})
add_dependencies(kalder32_import kalder32_import_lib)

add_subdirectory(${PROJECT_SOURCE_DIR}/tools ${PROJECT_BINARY_DIR}/tools)
add_dependencies(kaldate KALDER32 kaldres_resources)

# The example, as an application developer builds it: C, the header and the
# import library, nothing else.
add_executable(typical_example ${PROJECT_SOURCE_DIR}/examples/typical.c)
target_include_directories(typical_example PRIVATE ${PROJECT_SOURCE_DIR}/include)
target_compile_options(typical_example PRIVATE -Wall -Wextra -Werror)
target_link_options(typical_example PRIVATE -static)
target_link_libraries(typical_example PRIVATE kalder32_import)
set_target_properties(typical_example PROPERTIES C_STANDARD 11
                                                 RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})
add_dependencies(typical_example KALDER32 kaldres_resources)
kalder_split_debug(typical_example)

# Each translation is built as kaldres_<lang>.dll and goes into the kit as
# <lang>/kaldres.dll: the file name is what the library looks for.
set(KALDER_TRANSLATIONS de fr es)
set(KALDER_TRANSLATION_DIR ${PROJECT_BINARY_DIR}/translations)
file(MAKE_DIRECTORY ${KALDER_TRANSLATION_DIR})
set(KALDER_KIT_TRANSLATIONS)
foreach(lang ${KALDER_TRANSLATIONS})
  kalder_resource_dll(kaldres_${lang} ${PROJECT_SOURCE_DIR}/res/kaldres_${lang}.rc
                      ${KALDER_TRANSLATION_DIR} DEPENDS ${PROJECT_SOURCE_DIR}/res/strings_${lang}.inc)
  list(APPEND KALDER_KIT_TRANSLATIONS
       COMMAND ${CMAKE_COMMAND} -E make_directory ${KALDER_KIT_DIR}/${lang}
       COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_TRANSLATION_DIR}/kaldres_${lang}.dll
               ${KALDER_KIT_DIR}/${lang}/kaldres.dll)
endforeach()

# The 64-bit build's files go under x64/, the same names as the 32-bit ones.
set(KALDER_KIT_X64)
set(KALDER_DEBUG_FILES ${KALDER_WIN32_OUT}/KALDER32.dll.debug ${KALDER_WIN32_OUT}/kaldate.exe.debug
                       ${KALDER_WIN32_OUT}/typical_example.exe.debug)
if(KALDER_X64_DIR)
  list(APPEND KALDER_KIT_X64
       COMMAND ${CMAKE_COMMAND} -E make_directory ${KALDER_DEBUG_DIR}/x64
       COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_X64_DIR}/KALDER32.dll.debug
               ${KALDER_X64_DIR}/kaldate.exe.debug ${KALDER_X64_DIR}/typical_example.exe.debug
               ${KALDER_DEBUG_DIR}/x64)
  set(x64 ${KALDER_KIT_DIR}/x64)
  list(APPEND KALDER_KIT_X64
       COMMAND ${CMAKE_COMMAND} -E make_directory ${x64}
       COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_X64_DIR}/KALDER32.dll ${KALDER_X64_DIR}/kaldres.dll
               ${KALDER_X64_DIR}/libkalder32.a ${KALDER_X64_DIR}/KALDER32.lib
               ${KALDER_X64_DIR}/kaldate.exe ${x64}
       COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_X64_DIR}/KALDER32-exports.def ${x64}/KALDER32.def
       COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_X64_DIR}/typical_example.exe ${x64}/typical.exe)
  foreach(lang ${KALDER_TRANSLATIONS})
    list(APPEND KALDER_KIT_X64
         COMMAND ${CMAKE_COMMAND} -E make_directory ${x64}/${lang}
         COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_X64_DIR}/translations/kaldres_${lang}.dll
                 ${x64}/${lang}/kaldres.dll)
  endforeach()
endif()

add_custom_target(kit ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${KALDER_KIT_DIR} ${KALDER_KIT_ZIP} ${KALDER_DEBUG_DIR}
          ${KALDER_DEBUG_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KALDER_KIT_DIR}/example ${KALDER_DEBUG_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_DEBUG_FILES} ${KALDER_DEBUG_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/tools/kit/kalder32Config.cmake
          ${PROJECT_BINARY_DIR}/kit-cmake/kalder32ConfigVersion.cmake ${KALDER_KIT_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:KALDER32> ${KALDER_WIN32_OUT}/kaldres.dll
          ${PROJECT_SOURCE_DIR}/include/kalder32.h ${PROJECT_SOURCE_DIR}/include/kalder.h
          ${PROJECT_SOURCE_DIR}/include/kalder.hpp ${KALDER_IMPORT_LIB} ${KALDER_MSVC_LIB}
          $<TARGET_FILE:kaldate>
          ${PROJECT_SOURCE_DIR}/tools/kit/INSTALL.txt ${KALDER_KIT_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${KALDER_IMPORT_DEF} ${KALDER_KIT_DIR}/KALDER32.def
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${KALDER_KIT_DIR}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${KALDER_KIT_DIR}/CHANGELOG.txt
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:typical_example> ${KALDER_KIT_DIR}/typical.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/examples/typical.c
          ${KALDER_KIT_DIR}/example/typical.c
  ${KALDER_KIT_TRANSLATIONS}
  ${KALDER_KIT_X64}
  COMMAND ${CMAKE_COMMAND} -DDIR=${KALDER_KIT_DIR} -P ${PROJECT_SOURCE_DIR}/tools/kit/crlf.cmake
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}
          ${CMAKE_COMMAND} -E tar cf ${KALDER_KIT_ZIP} --format=zip ${KALDER_KIT_NAME}
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}
          ${CMAKE_COMMAND} -E tar cf ${KALDER_DEBUG_ZIP} --format=zip ${KALDER_DEBUG_NAME}
  COMMENT "Kit folder ${KALDER_KIT_DIR}, ${KALDER_KIT_ZIP} and ${KALDER_DEBUG_ZIP}"
  VERBATIM)
add_dependencies(kit KALDER32 kaldres_resources kalder32_import_lib kalder32_msvc_lib kaldate
                 typical_example)
foreach(lang ${KALDER_TRANSLATIONS})
  add_dependencies(kit kaldres_${lang}_resources)
endforeach()
if(KALDER_X64_DIR)
  add_dependencies(kit kalder_x64)
endif()

# A program built as Microsoft's tools build one, against KALDER32.lib
# alone: clang in MSVC mode and lld-link, no C library, no SDK (a stand-in
# <time.h> gives struct tm).  Its imports are checked here; it runs under
# Wine with the suite.
find_program(KALDER_CLANG NAMES clang clang-16 clang-15 clang-14 REQUIRED)
find_program(KALDER_LLD_LINK NAMES lld-link lld-link-16 lld-link-15 lld-link-14 REQUIRED)
if(KALDER_WIN_ARCH STREQUAL x64)
  set(KALDER_MSVC_TARGET x86_64-pc-windows-msvc)
  set(KALDER_MSVC_MACHINE x64)
else()
  set(KALDER_MSVC_TARGET i686-pc-windows-msvc)
  set(KALDER_MSVC_MACHINE x86)
endif()
set(KALDER_MSVC_EXE ${KALDER_WIN32_OUT}/msvc_link.exe)
add_custom_command(
  OUTPUT ${KALDER_MSVC_EXE}
  COMMAND ${KALDER_CLANG} --target=${KALDER_MSVC_TARGET} -O2 -Wall -Wextra -Werror
          -I ${PROJECT_SOURCE_DIR}/tests/wine/msvc -I ${PROJECT_SOURCE_DIR}/include
          -c ${PROJECT_SOURCE_DIR}/tests/wine/msvc_link.c -o ${PROJECT_BINARY_DIR}/msvc_link.obj
  COMMAND ${KALDER_LLD_LINK} -nologo -machine:${KALDER_MSVC_MACHINE} -subsystem:console
          -entry:entry -nodefaultlib ${PROJECT_BINARY_DIR}/msvc_link.obj ${KALDER_MSVC_LIB}
          -out:${KALDER_MSVC_EXE}
  DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/msvc_link.c ${PROJECT_SOURCE_DIR}/include/kalder32.h
          ${KALDER_MSVC_LIB}
  COMMENT "msvc_link.exe, linked by lld-link against KALDER32.lib"
  VERBATIM)
add_custom_target(msvc_link ALL DEPENDS ${KALDER_MSVC_EXE})
add_test(NAME msvc_link_imports_${KALDER_WIN_ARCH}
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-imports.sh ${KALDER_OBJDUMP}
                 ${KALDER_MSVC_EXE} ${KALDER_WIN32_OUT}/KALDER32.dll)

# Every file of the kit is there, with the export and import tables a
# user of it relies on.
if(KALDER_X64_DIR)
  set(KALDER_KIT_CHECK_X64 x86_64-w64-mingw32-objdump)
endif()
add_test(NAME kit_contents_${KALDER_WIN_ARCH}
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-kit.sh ${KALDER_OBJDUMP} ${KALDER_PE_FORMAT}
                 ${KALDER_KIT_DIR} ${KALDER_KIT_ZIP} ${KALDER_KIT_CHECK_X64})

# A MinGW project finds the unzipped kit with find_package and links
# against it, 32-bit and (when the kit has it) 64-bit. The kit that ships
# is the 32-bit build's.
if(KALDER_WIN_ARCH STREQUAL x86)
  add_test(NAME kit_find_package
           COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-kit-cmake.sh ${PROJECT_SOURCE_DIR}
                   ${KALDER_KIT_ZIP} ${KALDER_KIT_NAME})
  set_tests_properties(kit_find_package PROPERTIES TIMEOUT 300)
endif()

# Under Wine: each translation of the kit in a long date, and the example
# run from the kit folder. The example prints the short form with the
# prefix's own picture, M/d/yy or M/d/yyyy.
if(KALDER_WINE_FULL_SUITE)
  kalder_wine_program(translations translations.c)
  target_include_directories(translations PRIVATE ${PROJECT_SOURCE_DIR}/res
                                                  ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(translations PRIVATE version)
  target_compile_definitions(translations PRIVATE KALDER_KIT_NAME="${KALDER_KIT_NAME}")
  add_dependencies(translations kit)
  kalder_wine_test(translations)
  kalder_wine_test(msvc_link)
  set_tests_properties(${KALDER_WINE}_msvc_link PROPERTIES DEPENDS ${KALDER_WINE}_abi)

  add_test(NAME ${KALDER_WINE}_example COMMAND ${KALDER_WINE_RUN} run ${KALDER_WINE_STATE}
                                               ${KALDER_KIT_DIR}/typical.exe)
  set_tests_properties(${KALDER_WINE}_example PROPERTIES
    FIXTURES_REQUIRED ${KALDER_WINE}
    RESOURCE_LOCK wine
    PASS_REGULAR_EXPRESSION
      "Typed:      12/25/99\r?\nRead:       1999-12-25\r?\nShort form: 12/25/(99|1999)\r?\nDay number: 359\r?\nWeekday:    6\r?\nLong form:  Saturday, December 25, 1999\r?\n[^\n]*typical.exe [^\n]*exit 0"
    TIMEOUT 900)
endif()
