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

# The modern interface: kalder.h as C89, also for a 32-bit target where the
# compiler has the 32-bit C headers (Debian: gcc-multilib), and kalder.hpp
# as C++20 with and without exceptions.
set(KALDER_MODERN_FLAGS -pedantic-errors -Wall -Wextra -Werror -fsyntax-only
                        -I${PROJECT_SOURCE_DIR}/include)
set(KALDER_MODERN_C_SOURCE ${PROJECT_SOURCE_DIR}/tests/header/modern_c89.c)
add_test(NAME header_kalder_h_c89
         COMMAND ${CMAKE_C_COMPILER} -x c -std=c89 ${KALDER_MODERN_FLAGS} ${KALDER_MODERN_C_SOURCE})
execute_process(COMMAND ${CMAKE_C_COMPILER} -m32 -x c -std=c89 ${KALDER_MODERN_FLAGS}
                        ${KALDER_MODERN_C_SOURCE}
                RESULT_VARIABLE kalder_m32_result OUTPUT_QUIET ERROR_QUIET)
if(kalder_m32_result EQUAL 0)
  add_test(NAME header_kalder_h_c89_m32
           COMMAND ${CMAKE_C_COMPILER} -m32 -x c -std=c89 ${KALDER_MODERN_FLAGS}
                   ${KALDER_MODERN_C_SOURCE})
else()
  message(WARNING "${CMAKE_C_COMPILER} -m32 cannot compile kalder.h (no 32-bit C headers; "
                  "install gcc-multilib): the 32-bit header check is not added")
endif()
foreach(exceptions -fexceptions -fno-exceptions)
  add_test(NAME header_kalder_hpp_cxx20${exceptions}
           COMMAND ${CMAKE_CXX_COMPILER} -x c++ -std=c++20 ${exceptions} ${KALDER_MODERN_FLAGS}
                   ${PROJECT_SOURCE_DIR}/tests/header/modern_cpp20.cpp)
endforeach()
