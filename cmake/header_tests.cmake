# The public header under the oldest standards its users build with: C89 and
# C++98 compile it cleanly, and a layout check that fails stops them by name.
set(KALDER_OLD_COMPILER_SOURCE ${PROJECT_SOURCE_DIR}/tests/header/old_compilers.c)
set(KALDER_OLD_COMPILER_FLAGS -pedantic-errors -Wall -Wextra -Werror -fsyntax-only
                              -I${PROJECT_SOURCE_DIR}/include)

foreach(language c89 c++98)
  if(language STREQUAL "c89")
    set(compile ${CMAKE_C_COMPILER} -x c -std=c89)
  else()
    set(compile ${CMAKE_CXX_COMPILER} -x c++ -std=c++98)
  endif()
  add_test(NAME header_${language}
           COMMAND ${compile} ${KALDER_OLD_COMPILER_FLAGS} ${KALDER_OLD_COMPILER_SOURCE})
  add_test(NAME header_${language}_layout_check
           COMMAND ${compile} ${KALDER_OLD_COMPILER_FLAGS} -DKALDER_BREAK_LAYOUT
                   ${KALDER_OLD_COMPILER_SOURCE})
  set_tests_properties(header_${language}_layout_check PROPERTIES
                       PASS_REGULAR_EXPRESSION "kalder32_layout_broken_on_purpose")
endforeach()
