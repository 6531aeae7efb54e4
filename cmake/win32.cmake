# Cross build for Windows, 32-bit (i686) or 64-bit (x86-64) by the
# toolchain: KALDER32.dll, the resource module kaldres.dll, the checks of
# their tables, and the test programs that run under Wine.  Everything lands
# in one folder, because the library takes kaldres.dll from its own folder
# and the tests take the library from theirs.
#
# The 32-bit build also builds the 64-bit one in its folder x64/ (for the
# kit's x64/ folder and the 64-bit tests) and a native reference build in
# reference/ (for the differential check across the three builds).
enable_testing()

set(KALDER_WIN32_OUT ${PROJECT_BINARY_DIR})
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KALDER_WIN_ARCH x64)
  set(KALDER_RC_TARGET pe-x86-64)
  set(KALDER_PE_FORMAT pei-x86-64)
else()
  set(KALDER_WIN_ARCH x86)
  set(KALDER_RC_TARGET pe-i386)
  set(KALDER_PE_FORMAT pei-i386)
endif()

# The export list.  32-bit stdcall symbols carry @N, the argument bytes the
# function removes from the stack, and the list maps each undecorated name
# to its decorated symbol; 64-bit Windows has one calling convention and no
# decoration, so there the list names the symbols as they are.
if(KALDER_WIN_ARCH STREQUAL x64)
  set(KALDER_EXPORT_DEF ${PROJECT_BINARY_DIR}/KALDER32-exports.def)
  kalder_write_def(${KALDER_EXPORT_DEF} "Exports of the 64-bit KALDER32.dll: the names at fixed ordinals."
                   NAMES)
else()
  set(KALDER_EXPORT_DEF ${KALDER_DEF_FILE})
endif()

# The version every module carries in its version resource.
file(WRITE ${PROJECT_BINARY_DIR}/generated/kalder_version.h.in
     "#define KALDER_VERSION_MAJOR @PROJECT_VERSION_MAJOR@\n"
     "#define KALDER_VERSION_MINOR @PROJECT_VERSION_MINOR@\n"
     "#define KALDER_VERSION_PATCH @PROJECT_VERSION_PATCH@\n"
     "#define KALDER_VERSION_TEXT \"@PROJECT_VERSION@\"\n")
configure_file(${PROJECT_BINARY_DIR}/generated/kalder_version.h.in
               ${PROJECT_BINARY_DIR}/generated/kalder_version.h @ONLY)

# kalder_resource_object(RC OBJECT [DEPENDS files...]): compiles a resource
# script into an object file to link.
function(kalder_resource_object RC OBJECT)
  cmake_parse_arguments(PARSE_ARGV 2 RES "" "" "DEPENDS")
  get_filename_component(rc_dir ${RC} DIRECTORY)
  get_filename_component(obj_dir ${OBJECT} DIRECTORY)
  add_custom_command(
    OUTPUT ${OBJECT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${obj_dir}
    COMMAND ${CMAKE_RC_COMPILER} --target=${KALDER_RC_TARGET} --input-format=rc --output-format=coff
            -I ${rc_dir} -I ${PROJECT_SOURCE_DIR}/res -I ${PROJECT_BINARY_DIR}/generated -i ${RC}
            -o ${OBJECT}
    DEPENDS ${RC} ${RES_DEPENDS} ${PROJECT_SOURCE_DIR}/res/version.inc
            ${PROJECT_BINARY_DIR}/generated/kalder_version.h
    COMMENT "Resources of ${RC}"
    VERBATIM)
endfunction()

# The UTF-16 twins of the modern calls, which only Windows has.
target_sources(kalder_core PRIVATE ${PROJECT_SOURCE_DIR}/modern/wide_calls.cpp)

# ---------------------------------------------------------------------------
# KALDER32.dll: the library's logic over the real platform calls.  The .def
# gives the exports their undecorated names and ordinals; libgcc and
# libstdc++ are linked in so that the only imports are system modules.
kalder_resource_object(${PROJECT_SOURCE_DIR}/res/KALDER32.rc
                       ${PROJECT_BINARY_DIR}/resources/KALDER32.res.o)
add_library(KALDER32 SHARED $<TARGET_OBJECTS:kalder_core>
                            ${PROJECT_SOURCE_DIR}/platform/win32/win32_platform.cpp
                            ${PROJECT_BINARY_DIR}/resources/KALDER32.res.o
                            ${KALDER_EXPORT_DEF})
set_target_properties(KALDER32 PROPERTIES
  PREFIX ""
  OUTPUT_NAME KALDER32
  SUFFIX ".dll"
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".dll.a"
  RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})
target_include_directories(KALDER32 PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
target_compile_options(KALDER32 PRIVATE ${KALDER_WARNINGS} ${KALDER_LIB_FLAGS})

# The 32-bit library assumes a processor with SSE2, as every 64-bit one has
# (bench/README.md: what it buys and why).  The compiler takes the stack
# its callers pass as aligned to 4 bytes only, as 32-bit Windows promises,
# and a function that keeps 16-byte values there aligns it itself.
if(KALDER_WIN_ARCH STREQUAL x86)
  set(KALDER_X86_FLAGS -msse2 -mfpmath=sse)
  target_compile_options(kalder_core PRIVATE ${KALDER_X86_FLAGS})
  target_compile_options(KALDER32 PRIVATE ${KALDER_X86_FLAGS})
endif()
target_link_options(KALDER32 PRIVATE -static -static-libgcc -static-libstdc++)

# kalder_split_debug(TARGET): the image ships stripped; its debug
# information stays beside it in the build as TARGET's file name + .debug,
# which a debugger finds through the link the image keeps to it.
set(KALDER_OBJCOPY ${KALDER_MINGW_PREFIX}-objcopy)
function(kalder_split_debug TARGET)
  add_custom_command(TARGET ${TARGET} POST_BUILD
    COMMAND ${KALDER_OBJCOPY} --only-keep-debug $<TARGET_FILE:${TARGET}>
            $<TARGET_FILE:${TARGET}>.debug
    COMMAND ${KALDER_OBJCOPY} --strip-debug --strip-unneeded
            --add-gnu-debuglink=$<TARGET_FILE:${TARGET}>.debug $<TARGET_FILE:${TARGET}>
    VERBATIM)
endfunction()
kalder_split_debug(KALDER32)

# ---------------------------------------------------------------------------
# kalder_resource_dll(NAME RC OUTDIR [DEPENDS files...])
# Builds OUTDIR/NAME.dll, a module that holds only the resources compiled
# from RC: no code, no entry point, no imports.  Translations of the texts
# become further calls of this function.
function(kalder_resource_dll NAME RC OUTDIR)
  cmake_parse_arguments(PARSE_ARGV 3 RES "" "" "DEPENDS")
  set(res_obj ${CMAKE_CURRENT_BINARY_DIR}/resources/${NAME}.res.o)
  set(res_dll ${OUTDIR}/${NAME}.dll)
  kalder_resource_object(${RC} ${res_obj} DEPENDS ${RES_DEPENDS})
  add_custom_command(
    OUTPUT ${res_dll}
    COMMAND ${CMAKE_C_COMPILER} -shared -nostdlib -Wl,--entry,0 -Wl,--no-insert-timestamp
            -Wl,--enable-auto-image-base -Wl,-T,${PROJECT_SOURCE_DIR}/cmake/resource-only.ld
            -o ${res_dll} ${res_obj}
    DEPENDS ${res_obj} ${PROJECT_SOURCE_DIR}/cmake/resource-only.ld
    COMMENT "Resource module ${NAME}.dll"
    VERBATIM)
  add_custom_target(${NAME}_resources ALL DEPENDS ${res_dll})
endfunction()

file(GLOB KALDER_RES_INCLUDES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/*.inc
                                                ${PROJECT_SOURCE_DIR}/res/*.h)
kalder_resource_dll(kaldres ${PROJECT_SOURCE_DIR}/res/kaldres_en.rc ${KALDER_WIN32_OUT}
                    DEPENDS ${KALDER_RES_INCLUDES})

# ---------------------------------------------------------------------------
# Tests.  The table check needs no emulator; the Wine tests share one
# prefix and one wineserver per ctest run (a fixture), since starting Wine
# is the slow part.
set(KALDER_OBJDUMP ${KALDER_MINGW_PREFIX}-objdump)
add_test(NAME dll_tables_${KALDER_WIN_ARCH}
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-dll-tables.sh ${KALDER_OBJDUMP}
                 ${KALDER_PE_FORMAT}
                 ${KALDER_WIN32_OUT}/KALDER32.dll ${KALDER_WIN32_OUT}/kaldres.dll
                 ${KALDER_WIN32_OUT}/kaldres_alt.dll)

# The pass over every export is compared with the Linux build's, made here
# by a native build of the library in reference/ (a 64-bit build made by the
# 32-bit one takes its parent's).
include(ExternalProject)
if(NOT KALDER_CALLS_REFERENCE)
  set(KALDER_REFERENCE_DIR ${PROJECT_BINARY_DIR}/reference)
  set(KALDER_CALLS_REFERENCE ${PROJECT_BINARY_DIR}/calls-host.txt)
  ExternalProject_Add(kalder_reference
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${KALDER_REFERENCE_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DKALDER_REFERENCE_ONLY=ON
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  add_test(NAME calls_reference
           COMMAND ${KALDER_REFERENCE_DIR}/calls_host ${KALDER_REFERENCE_DIR}/libkalder32.so
                   ${KALDER_CALLS_REFERENCE})
  set_tests_properties(calls_reference PROPERTIES FIXTURES_SETUP calls_reference)
endif()

include(${PROJECT_SOURCE_DIR}/tests/wine/wine_tests.cmake)
include(${PROJECT_SOURCE_DIR}/bench/timing.cmake)

# The 32-bit build builds the 64-bit one in x64/, for the kit and for its
# tests, which run in the same ctest run as this build's.
if(KALDER_WIN_ARCH STREQUAL x86)
  option(KALDER_WITH_X64 "Build the 64-bit library and kit folder x64/ too" ON)
endif()
if(KALDER_WITH_X64)
  find_program(KALDER_X64_COMPILER x86_64-w64-mingw32-g++)
  if(NOT KALDER_X64_COMPILER)
    message(FATAL_ERROR "x86_64-w64-mingw32-g++ not found: apt-get install g++-mingw-w64-x86-64, "
                        "or configure with -DKALDER_WITH_X64=OFF")
  endif()
  set(KALDER_X64_DIR ${PROJECT_BINARY_DIR}/x64)
  ExternalProject_Add(kalder_x64
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${KALDER_X64_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw64.cmake
               -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
               -DKALDER_CALLS_REFERENCE=${KALDER_CALLS_REFERENCE}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  file(WRITE ${PROJECT_BINARY_DIR}/x64-tests.cmake "subdirs(\"${KALDER_X64_DIR}\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${PROJECT_BINARY_DIR}/x64-tests.cmake)
endif()

# ---------------------------------------------------------------------------
# The kit: import library, command-line tool, example, translations, and
# the tests of them.
include(${PROJECT_SOURCE_DIR}/cmake/kit.cmake)
