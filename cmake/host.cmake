# Native Linux build: the library over the host stand-in platform, its unit
# tests, and the tools built on it.
enable_testing()

file(GLOB KALDER_HOST_PLATFORM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/host/*.cpp)

# The stand-in platform, and the stand-in loader that attaches the library.
list(APPEND KALDER_HOST_PLATFORM_SOURCES ${PROJECT_SOURCE_DIR}/frame/host/loader.cpp)
add_library(kalder_host_platform OBJECT ${KALDER_HOST_PLATFORM_SOURCES})
target_include_directories(kalder_host_platform PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
target_compile_options(kalder_host_platform PRIVATE ${KALDER_WARNINGS} ${KALDER_LIB_FLAGS})

# The library for the unit tests, kaldate and the benchmarks, which attach
# and detach it themselves (after choosing the profile, the module path, the
# language...).
add_library(kalder32_static STATIC $<TARGET_OBJECTS:kalder_core> $<TARGET_OBJECTS:kalder_host_platform>)
target_include_directories(kalder32_static PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)

# The installed libraries attach themselves when loaded, as the DLL does
# (frame/host/autoload.cpp).
add_library(kalder_autoload OBJECT ${PROJECT_SOURCE_DIR}/frame/host/autoload.cpp)
target_include_directories(kalder_autoload PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
target_compile_options(kalder_autoload PRIVATE ${KALDER_WARNINGS} ${KALDER_LIB_FLAGS})
add_library(kalder32 SHARED $<TARGET_OBJECTS:kalder_core> $<TARGET_OBJECTS:kalder_host_platform>
                            $<TARGET_OBJECTS:kalder_autoload>)
target_include_directories(kalder32 PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)
target_include_directories(kalder32 PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(kalder32 PRIVATE ${KALDER_WARNINGS} ${KALDER_LIB_FLAGS})
set_target_properties(kalder32 PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 1)

# The installed libraries make the names of the export list visible (all
# but the UTF-16 twins) and nothing else, as the DLL does; everything else binds inside the library, so a
# program's own MonthDays or DllMain cannot take the place of the library's.
list(JOIN KALDER_CLASSIC_NAMES ";\n    " KALDER_CLASSIC_SCRIPT_NAMES)
list(JOIN KALDER_MODERN_HOST_NAMES ";\n    " KALDER_MODERN_SCRIPT_NAMES)
set(KALDER_VERSION_SCRIPT ${PROJECT_BINARY_DIR}/kalder32.map)
file(WRITE ${KALDER_VERSION_SCRIPT}
     "KALDER32_1 {\n  global:\n    ${KALDER_CLASSIC_SCRIPT_NAMES};\n  local:\n    *;\n};\n"
     "KALDER32_2 {\n  global:\n    ${KALDER_MODERN_SCRIPT_NAMES};\n} KALDER32_1;\n")
target_link_options(kalder32 PRIVATE -Wl,--version-script=${KALDER_VERSION_SCRIPT})
set_target_properties(kalder32 PROPERTIES LINK_DEPENDS ${KALDER_VERSION_SCRIPT})

# The installed static library, libkalder32.a, attaches itself too. It holds
# a single object, the whole library with the attach partially linked into
# one, so that a program calling any export has the attach as well; only
# the 24 names stay global in it.
# (GCC gives inline variables a binding that cannot be made local.)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(kalder_core PRIVATE -fno-gnu-unique)
  target_compile_options(kalder_host_platform PRIVATE -fno-gnu-unique)
  target_compile_options(kalder_autoload PRIVATE -fno-gnu-unique)
endif()
list(JOIN KALDER_HOST_EXPORT_NAMES "\n" KALDER_EXPORT_LINES)
set(KALDER_EXPORT_LIST ${PROJECT_BINARY_DIR}/kalder32.exports)
file(WRITE ${KALDER_EXPORT_LIST} "${KALDER_EXPORT_LINES}\n")
set(KALDER_WHOLE_OBJECT ${PROJECT_BINARY_DIR}/kalder32_whole.o)
add_custom_command(OUTPUT ${KALDER_WHOLE_OBJECT}
  COMMAND ${CMAKE_LINKER} -r -o ${KALDER_WHOLE_OBJECT} $<TARGET_OBJECTS:kalder_core>
          $<TARGET_OBJECTS:kalder_host_platform> $<TARGET_OBJECTS:kalder_autoload>
  COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/static_keep_list.sh ${CMAKE_NM} ${KALDER_EXPORT_LIST}
          ${KALDER_WHOLE_OBJECT} ${KALDER_WHOLE_OBJECT}.keep
  COMMAND ${CMAKE_OBJCOPY} --keep-global-symbols=${KALDER_WHOLE_OBJECT}.keep ${KALDER_WHOLE_OBJECT}
  DEPENDS kalder_core kalder_host_platform kalder_autoload $<TARGET_OBJECTS:kalder_core>
          $<TARGET_OBJECTS:kalder_host_platform> $<TARGET_OBJECTS:kalder_autoload>
          ${KALDER_EXPORT_LIST} ${PROJECT_SOURCE_DIR}/cmake/static_keep_list.sh
  COMMAND_EXPAND_LISTS VERBATIM
  COMMENT "Linking the static library's single object")
set_source_files_properties(${KALDER_WHOLE_OBJECT} PROPERTIES EXTERNAL_OBJECT ON GENERATED ON)
add_library(kalder32_archive STATIC ${KALDER_WHOLE_OBJECT})
set_target_properties(kalder32_archive PROPERTIES OUTPUT_NAME kalder32 EXPORT_NAME kalder32_static
                                                  LINKER_LANGUAGE C)
target_include_directories(kalder32_archive PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)
# The library is C++: a program in C links the C++ runtime for it, the
# libraries that the C++ compiler adds to a link and the C compiler does not.
set(KALDER_CXX_RUNTIME ${CMAKE_CXX_IMPLICIT_LINK_LIBRARIES})
list(REMOVE_ITEM KALDER_CXX_RUNTIME ${CMAKE_C_IMPLICIT_LINK_LIBRARIES})
list(REMOVE_DUPLICATES KALDER_CXX_RUNTIME)
target_link_libraries(kalder32_archive INTERFACE ${KALDER_CXX_RUNTIME})

# The deterministic pass over every export (tests/calls), over the shared
# library; the Windows builds compare their own passes with its output.
add_executable(calls_host ${PROJECT_SOURCE_DIR}/tests/calls/calls.c
                          ${PROJECT_SOURCE_DIR}/tests/calls/modern_diff.c
                          ${PROJECT_SOURCE_DIR}/tests/calls/calls_host.c)
target_include_directories(calls_host PRIVATE ${PROJECT_SOURCE_DIR}/include
                                              ${PROJECT_SOURCE_DIR}/tests/calls)
target_compile_options(calls_host PRIVATE -Wall -Wextra -Werror)
target_link_libraries(calls_host PRIVATE ${CMAKE_DL_LIBS})
set_target_properties(calls_host PROPERTIES C_EXTENSIONS ON)
add_test(NAME calls_host COMMAND calls_host $<TARGET_FILE:kalder32>
                                 ${PROJECT_BINARY_DIR}/calls-host.txt)

# The timing of each export family; a Windows build times its reference/
# build beside itself.
include(${PROJECT_SOURCE_DIR}/bench/timing.cmake)

# A Windows build makes this build in its folder reference/, for the pass
# (and the timing) alone.
option(KALDER_REFERENCE_ONLY "Build only the library and the pass over its exports" OFF)
if(KALDER_REFERENCE_ONLY)
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KALDER_HOST_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/host/*.cpp)
add_executable(kalder_tests ${KALDER_HOST_TESTS})
target_link_libraries(kalder_tests PRIVATE kalder32_static GTest::gtest GTest::gtest_main)
target_compile_options(kalder_tests PRIVATE -Wall -Wextra -Werror)
gtest_discover_tests(kalder_tests DISCOVERY_TIMEOUT 60)
# The C++ face's tests once more built without exceptions, as a program
# built that way uses the header.
add_executable(modern_cpp_noexcept_tests ${PROJECT_SOURCE_DIR}/tests/host/modern_cpp_test.cpp)
target_link_libraries(modern_cpp_noexcept_tests PRIVATE kalder32_static GTest::gtest
                                                        GTest::gtest_main)
target_compile_options(modern_cpp_noexcept_tests PRIVATE -Wall -Wextra -Werror -fno-exceptions)
gtest_discover_tests(modern_cpp_noexcept_tests TEST_PREFIX noexcept. DISCOVERY_TIMEOUT 60)

# ---------------------------------------------------------------------------
# The command-line tool, the install rules and the tests of both.
add_subdirectory(tools)
include(${PROJECT_SOURCE_DIR}/cmake/install.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/kaldate_tests.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/header_tests.cmake)

# ---------------------------------------------------------------------------
# Speed and hardening: benchmarks (optimised host builds only) and the
# libFuzzer targets (a separate clang build: -DKALDER_FUZZ=ON).
option(KALDER_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(NOT KALDER_WIN32 AND NOT KALDER_SANITIZE AND NOT KALDER_TSAN AND NOT KALDER_FUZZ)
  add_subdirectory(bench)
endif()
if(KALDER_FUZZ)
  add_subdirectory(fuzz)
endif()
