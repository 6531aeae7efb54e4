# Native Linux build: the library over the host stand-in platform, its unit
# tests, and the tools built on it.
enable_testing()

file(GLOB KALDER_HOST_PLATFORM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/host/*.cpp)

# The stand-in platform, and the stand-in loader that attaches the library.
list(APPEND KALDER_HOST_PLATFORM_SOURCES ${PROJECT_SOURCE_DIR}/frame/host/loader.cpp)
add_library(kalder_host_platform OBJECT ${KALDER_HOST_PLATFORM_SOURCES})
target_include_directories(kalder_host_platform PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
target_compile_options(kalder_host_platform PRIVATE ${KALDER_WARNINGS} ${KALDER_LIB_FLAGS})

add_library(kalder32_static STATIC $<TARGET_OBJECTS:kalder_core> $<TARGET_OBJECTS:kalder_host_platform>)
set_target_properties(kalder32_static PROPERTIES OUTPUT_NAME kalder32)
target_include_directories(kalder32_static PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:include>)

# The shared library attaches itself when loaded, as the DLL does. The attach
# object is linked last: static constructors run in link order, and the
# attach needs the host stand-in's own statics already built.
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

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KALDER_HOST_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/host/*.cpp)
add_executable(kalder_tests ${KALDER_HOST_TESTS})
target_link_libraries(kalder_tests PRIVATE kalder32_static GTest::gtest GTest::gtest_main)
target_compile_options(kalder_tests PRIVATE -Wall -Wextra -Werror)
gtest_discover_tests(kalder_tests DISCOVERY_TIMEOUT 60)

# ---------------------------------------------------------------------------
# The command-line tool, the install rules and the tests of both.
add_subdirectory(tools)
include(${PROJECT_SOURCE_DIR}/cmake/install.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/kaldate_tests.cmake)

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
