# KALDER32 from the Windows kit. With the kit's folder in CMAKE_PREFIX_PATH
# (or kalder32_DIR set to it), find_package(kalder32) gives the imported
# target kalder32::kalder32: KALDER32.dll of the kit's folder for a 32-bit
# project, of x64/ for a 64-bit one, with the import library of the
# project's linker (KALDER32.lib for Microsoft's, libkalder32.a for MinGW).
# The program needs KALDER32.dll and kaldres.dll beside it to run.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_kalder32_bin "${CMAKE_CURRENT_LIST_DIR}/x64")
else()
  set(_kalder32_bin "${CMAKE_CURRENT_LIST_DIR}")
endif()
if(MSVC)
  set(_kalder32_implib "${_kalder32_bin}/KALDER32.lib")
else()
  set(_kalder32_implib "${_kalder32_bin}/libkalder32.a")
endif()
if(NOT TARGET kalder32::kalder32)
  add_library(kalder32::kalder32 SHARED IMPORTED)
  set_target_properties(kalder32::kalder32 PROPERTIES
    IMPORTED_LOCATION "${_kalder32_bin}/KALDER32.dll"
    IMPORTED_IMPLIB "${_kalder32_implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}")
endif()
unset(_kalder32_bin)
unset(_kalder32_implib)
