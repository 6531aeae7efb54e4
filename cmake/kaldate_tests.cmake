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
# The Linux example with the built-in settings, and with German settings and
# names from the environment; the threads example checks its own results.
add_executable(linux_example ${PROJECT_SOURCE_DIR}/examples/linux.c)
target_link_libraries(linux_example PRIVATE kalder32)
target_compile_options(linux_example PRIVATE -Wall -Wextra -Werror)
add_test(NAME linux_example COMMAND linux_example)
set_tests_properties(linux_example PROPERTIES PASS_REGULAR_EXPRESSION
  "^Short: 12/25/99\nLong:  Saturday, December 25, 1999\n$")
add_test(NAME linux_example_de COMMAND linux_example 5.12.99)
set_tests_properties(linux_example_de PROPERTIES PASS_REGULAR_EXPRESSION
  "^Short: 05\\.12\\.1999\nLong:  Sonntag, 5\\. Dezember 1999\n$"
  ENVIRONMENT "KALDER_WININI=${PROJECT_SOURCE_DIR}/tests/data/intl_german.ini;KALDER_LANGUAGE=de")
# The README's examples of the modern interface, built and run as they stand
# (without sanitizers, so over an uninstrumented library alone).
if(NOT KALDER_SANITIZE AND NOT KALDER_TSAN)
  add_test(NAME readme_examples
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/host/readme_examples.sh
                 ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/include
                 $<TARGET_FILE_DIR:kalder32>)
endif()
find_package(Threads REQUIRED)
add_executable(threads_example ${PROJECT_SOURCE_DIR}/examples/threads.cpp)
target_link_libraries(threads_example PRIVATE kalder32 Threads::Threads)
target_compile_options(threads_example PRIVATE ${KALDER_WARNINGS})
add_test(NAME threads_example COMMAND threads_example)

# The scratch project is built without sanitizers, so it can only load an
# uninstrumented library.
if(NOT KALDER_SANITIZE)
  add_test(NAME package_find_package
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/host/package_test.sh ${PROJECT_BINARY_DIR}
                 ${PROJECT_SOURCE_DIR})
  set_tests_properties(package_find_package PROPERTIES TIMEOUT 300)
endif()

# The installed libraries export the 24 names alone, and a program's own
# globals of the names the library uses inside do not replace the library's.
foreach(library kalder32 kalder32_archive)
  add_test(NAME ${library}_exports
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/host/exports_test.sh $<TARGET_FILE:${library}>
                 ${PROJECT_SOURCE_DIR}/frame/KALDER32.def)
  add_executable(own_globals_${library} ${PROJECT_SOURCE_DIR}/tests/host/own_globals.c)
  target_link_libraries(own_globals_${library} PRIVATE ${library})
  target_compile_options(own_globals_${library} PRIVATE -Wall -Wextra -Werror)
  add_test(NAME own_globals_${library} COMMAND own_globals_${library})
endforeach()

# The modern interface's examples: a C service and a C++20 one answering a
# German and an American user with a settings object each.
add_executable(modern_c_example ${PROJECT_SOURCE_DIR}/examples/modern.c)
target_link_libraries(modern_c_example PRIVATE kalder32)
set_target_properties(modern_c_example PROPERTIES C_STANDARD 90 C_EXTENSIONS OFF)
target_compile_options(modern_c_example PRIVATE -pedantic-errors -Wall -Wextra -Werror)
add_test(NAME modern_c_example COMMAND modern_c_example)
set_tests_properties(modern_c_example PROPERTIES PASS_REGULAR_EXPRESSION
  "^anna: Dienstag, 5\\. März 2024 \\(05\\.03\\.2024\\) um 13:05
bert: Tuesday, March 5, 2024 \\(3/5/2024\\) at 1:05
anna: Der Tag 30 ist in diesem Monat ungültig\\. Bitte geben Sie einen Tag ein, den der Monat hat\\.
bert: The hour 24 is only valid with 0 minutes\\. Please change the hour or the minutes\\.
anna, in 16 bytes: \"Dienstag, 5\\. M\" of 23
$")
add_executable(modern_cpp_example ${PROJECT_SOURCE_DIR}/examples/modern.cpp)
target_link_libraries(modern_cpp_example PRIVATE kalder32 Threads::Threads)
target_compile_options(modern_cpp_example PRIVATE ${KALDER_WARNINGS} -fno-exceptions)
add_test(NAME modern_cpp_example COMMAND modern_cpp_example)
set_tests_properties(modern_cpp_example PROPERTIES PASS_REGULAR_EXPRESSION
  "^anna: Dienstag, 5\\. März 2024, 13:05
anna: Die Stunde 25 ist ungültig\\. Bitte geben Sie eine Stunde von 0 bis 24 ein\\.
bert: Tuesday, March 5, 2024, 1:05
bert: The day 30 is not valid for this month\\. Please type a day that the month has\\.
Landed: Sunday, July 20, 1969, 20:17 UTC
$")
