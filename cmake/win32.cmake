# Cross build for 32-bit Windows: KALDER32.dll, the resource module
# kaldres.dll, the checks of their tables, and the test programs that run
# under Wine.  Everything lands in one folder, because the library takes
# kaldres.dll from its own folder and the tests take the library from theirs.
enable_testing()

set(KALDER_WIN32_OUT ${PROJECT_BINARY_DIR})
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})

# ---------------------------------------------------------------------------
# KALDER32.dll: the library's logic over the real platform calls.  The .def
# gives the 24 exports their undecorated names and ordinals; libgcc and
# libstdc++ are linked in so that the only imports are system modules.
add_library(KALDER32 SHARED $<TARGET_OBJECTS:kalder_core>
                            ${PROJECT_SOURCE_DIR}/platform/win32/win32_platform.cpp
                            ${PROJECT_SOURCE_DIR}/frame/KALDER32.def)
set_target_properties(KALDER32 PROPERTIES
  PREFIX ""
  OUTPUT_NAME KALDER32
  SUFFIX ".dll"
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".dll.a"
  RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})
target_include_directories(KALDER32 PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
target_compile_options(KALDER32 PRIVATE ${KALDER_WARNINGS} ${KALDER_LIB_FLAGS})
target_link_options(KALDER32 PRIVATE -static -static-libgcc -static-libstdc++)

# ---------------------------------------------------------------------------
# kalder_resource_dll(NAME RC OUTDIR [DEPENDS files...])
# Builds OUTDIR/NAME.dll, a module that holds only the resources compiled
# from RC: no code, no entry point, no imports.  Translations of the texts
# become further calls of this function.
function(kalder_resource_dll NAME RC OUTDIR)
  cmake_parse_arguments(PARSE_ARGV 3 RES "" "" "DEPENDS")
  get_filename_component(rc_dir ${RC} DIRECTORY)
  set(res_obj ${CMAKE_CURRENT_BINARY_DIR}/resources/${NAME}.res.o)
  set(res_dll ${OUTDIR}/${NAME}.dll)
  add_custom_command(
    OUTPUT ${res_dll}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/resources
    COMMAND ${CMAKE_RC_COMPILER} --target=pe-i386 --input-format=rc --output-format=coff
            -I ${rc_dir} -I ${PROJECT_SOURCE_DIR}/res -i ${RC} -o ${res_obj}
    COMMAND ${CMAKE_C_COMPILER} -shared -nostdlib -Wl,--entry,0 -Wl,--no-insert-timestamp
            -Wl,--enable-auto-image-base -Wl,-T,${PROJECT_SOURCE_DIR}/cmake/resource-only.ld
            -o ${res_dll} ${res_obj}
    DEPENDS ${RC} ${RES_DEPENDS} ${PROJECT_SOURCE_DIR}/cmake/resource-only.ld
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
add_test(NAME dll_tables
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-dll-tables.sh ${KALDER_OBJDUMP}
                 ${KALDER_WIN32_OUT}/KALDER32.dll ${KALDER_WIN32_OUT}/kaldres.dll
                 ${KALDER_WIN32_OUT}/kaldres_alt.dll)

include(${PROJECT_SOURCE_DIR}/tests/wine/wine_tests.cmake)

# ---------------------------------------------------------------------------
# The kit: import library, command-line tool, example, translations, and
# the tests of them.
include(${PROJECT_SOURCE_DIR}/cmake/kit.cmake)
