# Test programs for the real DLL under Wine.
#
# Each program covers many checks, since each Wine process start is slow
# under emulation.  A fixture creates one prefix and one wineserver for the
# whole ctest run and removes them at the end.  The tests share that prefix
# and its WIN.INI, which the module tests change, so they run one at a time.
set(KALDER_WINE_STATE ${PROJECT_BINARY_DIR}/wine-prefix.state)
set(KALDER_WINE_RUN bash ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
set(KALDER_WINE_DIR ${PROJECT_SOURCE_DIR}/tests/wine)

kalder_resource_dll(kaldres_alt ${KALDER_WINE_DIR}/kaldres_alt.rc ${KALDER_WIN32_OUT})

# kalder_wine_program(NAME SOURCE [DEFINES...]): NAME.exe beside the DLL.
function(kalder_wine_program NAME SOURCE)
  add_executable(${NAME} ${KALDER_WINE_DIR}/${SOURCE})
  target_include_directories(${NAME} PRIVATE ${KALDER_WINE_DIR} ${PROJECT_SOURCE_DIR}/include)
  target_compile_options(${NAME} PRIVATE -Wall -Wextra -Werror)
  target_compile_definitions(${NAME} PRIVATE ${ARGN})
  target_link_options(${NAME} PRIVATE -static)
  target_link_libraries(${NAME} PRIVATE user32)
  set_target_properties(${NAME} PROPERTIES C_STANDARD 11 C_EXTENSIONS ON
                                           RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})
  # The programs load the library and the resource modules at run time.
  add_dependencies(${NAME} KALDER32 kaldres_resources kaldres_alt_resources)
endfunction()

# kalder_wine_test(NAME): runs NAME.exe as the ctest test wine_NAME.
function(kalder_wine_test NAME)
  add_test(NAME wine_${NAME}
           COMMAND ${KALDER_WINE_RUN} run ${KALDER_WINE_STATE} ${KALDER_WIN32_OUT}/${NAME}.exe)
  set_tests_properties(wine_${NAME} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_prefix
    SKIP_RETURN_CODE 77
    TIMEOUT 900)
endfunction()

kalder_wine_program(probe probe.c)
kalder_wine_program(abi abi.c)
kalder_wine_program(typical typical.c)
kalder_wine_program(load_cycles load_cycles.c)
# One source, one program per Windows version the settings reader tells apart.
kalder_wine_program(module_nt40 module.c KT_WINVER=40)
kalder_wine_program(module_win31 module.c KT_WINVER=31)
kalder_wine_program(module_win30 module.c KT_WINVER=30)

add_test(NAME wine_setup
         COMMAND ${KALDER_WINE_RUN} setup ${KALDER_WINE_STATE} ${KALDER_WIN32_OUT}/probe.exe)
set_tests_properties(wine_setup PROPERTIES FIXTURES_SETUP wine SKIP_RETURN_CODE 77 TIMEOUT 3600
                                           RESOURCE_LOCK wine_prefix)
add_test(NAME wine_cleanup COMMAND ${KALDER_WINE_RUN} cleanup ${KALDER_WINE_STATE})
set_tests_properties(wine_cleanup PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine_prefix)

kalder_wine_test(abi)
kalder_wine_test(typical)
kalder_wine_test(load_cycles)
kalder_wine_test(module_nt40)
kalder_wine_test(module_win31)
kalder_wine_test(module_win30)
