# Tests of the tool, the example and the installed package on the host.
add_executable(typical_example ${PROJECT_SOURCE_DIR}/examples/typical.c)
target_link_libraries(typical_example PRIVATE kalder32)
target_compile_options(typical_example PRIVATE -Wall -Wextra -Werror)

add_test(NAME kaldate_tool
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/host/kaldate_test.sh $<TARGET_FILE:kaldate>
               ${PROJECT_SOURCE_DIR}/tests/data)
add_test(NAME typical_example COMMAND typical_example)
set_tests_properties(typical_example PROPERTIES PASS_REGULAR_EXPRESSION
  "Short form: 12/25/99\nDay number: 359\nWeekday:    6\nLong form:  Saturday, December 25, 1999\n")
# The scratch project is built without sanitizers, so it can only load an
# uninstrumented library.
if(NOT KALDER_SANITIZE)
  add_test(NAME package_find_package
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/host/package_test.sh ${PROJECT_BINARY_DIR}
                 ${PROJECT_SOURCE_DIR})
  set_tests_properties(package_find_package PROPERTIES TIMEOUT 300)
endif()
