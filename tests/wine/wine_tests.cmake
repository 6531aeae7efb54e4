# Test programs for the real DLL under Wine.
#
# Each program covers many checks, since each Wine process start is slow
# under emulation.  A fixture creates one prefix and one wineserver per
# build for the whole ctest run and removes them at the end.  The programs
# share the prefix and its WIN.INI, which the module tests change, and the
# set-up of a prefix switches the emulator off for a moment, so everything
# that runs Wine runs one at a time (RESOURCE_LOCK wine).
#
# 64-bit programs run natively on every x86-64 kernel: the whole suite.  So
# do 32-bit ones where the kernel runs 32-bit programs.  Where it does not,
# they run under qemu at about two minutes a process, and the 32-bit build
# runs two programs: abi.exe, which checks every export's argument bytes and
# stack cleanup and makes the pass over every export, compared with the
# Linux build's; and modern.exe, the modern calls and their UTF-16 twins.  (The thread stress runs in the 64-bit suite and wherever
# 32-bit programs run natively.)
if(KALDER_WIN_ARCH STREQUAL x64)
  set(KALDER_WINE_BITS 64)
  set(KALDER_WINE_MODE native)
else()
  set(KALDER_WINE_BITS 32)
  set(KALDER_WINE32 auto CACHE STRING
      "How 32-bit Windows programs run here: auto (find out), native or emulated")
  if(KALDER_WINE32 STREQUAL auto)
    execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh mode
                    OUTPUT_VARIABLE KALDER_WINE_MODE OUTPUT_STRIP_TRAILING_WHITESPACE)
  else()
    set(KALDER_WINE_MODE ${KALDER_WINE32})
  endif()
  message(STATUS "32-bit Windows programs run here: ${KALDER_WINE_MODE}")
endif()
set(KALDER_WINE wine${KALDER_WINE_BITS})
set(KALDER_WINE_STATE ${PROJECT_BINARY_DIR}/${KALDER_WINE}-prefix.state)
set(KALDER_WINE_RUN bash ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
set(KALDER_WINE_DIR ${PROJECT_SOURCE_DIR}/tests/wine)
if(KALDER_WINE_MODE STREQUAL native)
  set(KALDER_WINE_FULL_SUITE ON)
else()
  set(KALDER_WINE_FULL_SUITE OFF)
endif()

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

# kalder_wine_test(NAME [ARGS...]): runs NAME.exe as the ctest test wineBITS_NAME.
function(kalder_wine_test NAME)
  add_test(NAME ${KALDER_WINE}_${NAME}
           COMMAND ${KALDER_WINE_RUN} run ${KALDER_WINE_STATE} ${KALDER_WIN32_OUT}/${NAME}.exe
                   ${ARGN})
  set_tests_properties(${KALDER_WINE}_${NAME} PROPERTIES
    FIXTURES_REQUIRED ${KALDER_WINE}
    RESOURCE_LOCK wine
    TIMEOUT 1500)
endfunction()

kalder_wine_program(probe probe.c)
kalder_wine_program(abi abi.c)
target_sources(abi PRIVATE ${PROJECT_SOURCE_DIR}/tests/calls/calls.c
                           ${PROJECT_SOURCE_DIR}/tests/calls/modern_diff.c
                           ${PROJECT_SOURCE_DIR}/tests/calls/calls_win.c ${KALDER_WINE_DIR}/stress.c)
target_include_directories(abi PRIVATE ${PROJECT_SOURCE_DIR}/tests/calls)
kalder_wine_program(typical typical.c)
kalder_wine_program(load_cycles load_cycles.c)
# The modern calls, with the translations laid out beside a copy of the
# library as the kit lays them out (the translations are built by kit.cmake).
kalder_wine_program(modern modern.c)
add_dependencies(modern kaldres_de_resources kaldres_fr_resources kaldres_es_resources)
# One source, one program per Windows version the settings reader tells apart.
kalder_wine_program(module_nt40 module.c KT_WINVER=40)
kalder_wine_program(module_win31 module.c KT_WINVER=31)
kalder_wine_program(module_win30 module.c KT_WINVER=30)

if(NOT KALDER_WINE_MODE MATCHES "^(native|emulated)$")
  # Never a silent skip: the build's own tests fail and say why.
  add_test(NAME ${KALDER_WINE}_unavailable
           COMMAND bash -c "echo 'FAILED: ${KALDER_WINE_MODE}'; exit 1")
  return()
endif()

set(KALDER_WINE_PROBE)
if(KALDER_WINE_FULL_SUITE)
  set(KALDER_WINE_PROBE ${KALDER_WIN32_OUT}/probe.exe)
endif()
add_test(NAME ${KALDER_WINE}_setup
         COMMAND ${KALDER_WINE_RUN} setup ${KALDER_WINE_STATE} ${KALDER_WINE_BITS}
                 ${KALDER_WINE_PROBE})
set_tests_properties(${KALDER_WINE}_setup PROPERTIES FIXTURES_SETUP ${KALDER_WINE} TIMEOUT 900
                                                     RESOURCE_LOCK wine)
add_test(NAME ${KALDER_WINE}_cleanup COMMAND ${KALDER_WINE_RUN} cleanup ${KALDER_WINE_STATE})
set_tests_properties(${KALDER_WINE}_cleanup PROPERTIES FIXTURES_CLEANUP ${KALDER_WINE}
                                                       RESOURCE_LOCK wine)

# abi.exe writes the pass over every export beside itself; it must match the
# Linux build's pass byte for byte.
# Natively it then runs six threads while the settings switch; under qemu
# the emulator itself crashes on that many Wine threads.
set(KALDER_CALLS_OUT calls-${KALDER_WIN_ARCH}.txt)
if(KALDER_WINE_FULL_SUITE)
  kalder_wine_test(abi ${KALDER_CALLS_OUT} threads)
else()
  kalder_wine_test(abi ${KALDER_CALLS_OUT})
endif()
add_test(NAME ${KALDER_WINE}_calls_match_linux
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/same-output.sh ${KALDER_CALLS_REFERENCE}
                 ${KALDER_WIN32_OUT}/${KALDER_CALLS_OUT})
set_tests_properties(${KALDER_WINE}_calls_match_linux PROPERTIES
  DEPENDS ${KALDER_WINE}_abi FIXTURES_REQUIRED calls_reference)

# The modern calls run in both builds, under qemu too: a refused date is a
# status and no box, and the UTF-16 twins write the UTF-8 text.
kalder_wine_test(modern)

if(KALDER_WINE_FULL_SUITE)
  # The modern calls again under a Cyrillic system code page (the program
  # checks that it has it): the twins' names are whole all the same.
  add_test(NAME ${KALDER_WINE}_modern_cp1251
           COMMAND ${KALDER_WINE_RUN} run ${KALDER_WINE_STATE} ${KALDER_WIN32_OUT}/modern.exe 1251)
  set_tests_properties(${KALDER_WINE}_modern_cp1251 PROPERTIES
    FIXTURES_REQUIRED ${KALDER_WINE}
    RESOURCE_LOCK wine
    ENVIRONMENT LC_ALL=ru_RU.UTF-8
    TIMEOUT 1500)
  kalder_wine_test(typical)
  kalder_wine_test(load_cycles)
  kalder_wine_test(module_nt40)
  kalder_wine_test(module_win31)
  kalder_wine_test(module_win30)
endif()
