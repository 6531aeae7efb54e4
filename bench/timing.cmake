# kalder_timing (bench/timing.c): nanoseconds per call of each export family
# beside the C run-time library's counterparts, one program for every build.
# The Windows builds put it beside KALDER32.dll; a host build (the Windows
# build's reference/ among them) beside libkalder32.so.  bench/three-builds.sh
# runs the three in one sitting.
add_executable(kalder_timing ${PROJECT_SOURCE_DIR}/bench/timing.c)
target_include_directories(kalder_timing PRIVATE ${PROJECT_SOURCE_DIR}/include)
target_compile_options(kalder_timing PRIVATE -Wall -Wextra -Werror)
set_target_properties(kalder_timing PROPERTIES C_EXTENSIONS ON)
if(KALDER_WIN32)
  target_link_options(kalder_timing PRIVATE -static)
  set_target_properties(kalder_timing PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KALDER_WIN32_OUT})
  add_dependencies(kalder_timing KALDER32 kaldres_resources)
else()
  target_link_libraries(kalder_timing PRIVATE ${CMAKE_DL_LIBS})
  add_dependencies(kalder_timing kalder32)
endif()
