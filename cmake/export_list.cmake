# The library's export list, frame/KALDER32.def, read in one place.  Each
# export is a line "    Name = Name@N @ordinal": the name callers see, the
# 32-bit stdcall symbol (@N, the argument bytes the function removes from
# the stack) and the fixed ordinal.  The builds write what they need of it:
# the 64-bit export list, the 32-bit import list, the Linux version script.
set(KALDER_DEF_FILE ${PROJECT_SOURCE_DIR}/frame/KALDER32.def)
set(kalder_export_line "^ +([A-Za-z_0-9]+) *= *([A-Za-z_0-9]+@[0-9]+) +@([0-9]+) *$")
file(STRINGS ${KALDER_DEF_FILE} kalder_def_lines REGEX "^ +[A-Za-z_0-9]+ *=")
set(KALDER_EXPORT_NAMES)
set(KALDER_EXPORT_SYMBOLS)
set(KALDER_EXPORT_ORDINALS)
foreach(line ${kalder_def_lines})
  if(NOT line MATCHES "${kalder_export_line}")
    message(FATAL_ERROR "${KALDER_DEF_FILE}: not an export line: '${line}'")
  endif()
  list(APPEND KALDER_EXPORT_NAMES ${CMAKE_MATCH_1})
  list(APPEND KALDER_EXPORT_SYMBOLS ${CMAKE_MATCH_2})
  list(APPEND KALDER_EXPORT_ORDINALS ${CMAKE_MATCH_3})
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KALDER_DEF_FILE})

# The Linux libraries export the classic names (version KALDER32_1) and the
# modern ones but for the UTF-16 twins, "Kalder...W" (version KALDER32_2).
set(KALDER_CLASSIC_NAMES)
set(KALDER_MODERN_HOST_NAMES)
foreach(name ordinal IN ZIP_LISTS KALDER_EXPORT_NAMES KALDER_EXPORT_ORDINALS)
  if(ordinal LESS_EQUAL 24)
    list(APPEND KALDER_CLASSIC_NAMES ${name})
  elseif(NOT name MATCHES "^Kalder.*W$")
    list(APPEND KALDER_MODERN_HOST_NAMES ${name})
  endif()
endforeach()
set(KALDER_HOST_EXPORT_NAMES ${KALDER_CLASSIC_NAMES} ${KALDER_MODERN_HOST_NAMES})

# kalder_write_def(FILE COMMENT NAMES|SYMBOLS): a module-definition file for
# KALDER32.dll listing each export by its name or its stdcall symbol at its
# ordinal, under a comment line.
function(kalder_write_def file comment kind)
  set(text "; ${comment}\nLIBRARY KALDER32.dll\nEXPORTS\n")
  foreach(name symbol ordinal IN ZIP_LISTS KALDER_EXPORT_NAMES KALDER_EXPORT_SYMBOLS
                                         KALDER_EXPORT_ORDINALS)
    if(kind STREQUAL SYMBOLS)
      string(APPEND text "    ${symbol} @${ordinal}\n")
    else()
      string(APPEND text "    ${name} @${ordinal}\n")
    endif()
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()
