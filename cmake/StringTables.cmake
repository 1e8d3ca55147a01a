# String tables: generated from resources/strings by tools/gen-strings.py.
#
# resources/strings/<language id>.txt is the one source of truth. At configure time it
# becomes the native tables (compiled into quillora_core on every platform) and, for
# the Windows build, a resource script of STRINGTABLEs that every Windows program
# which looks strings up links. Editing a table or adding a language file re-runs the
# configuration; the outputs are rewritten only when their content changes.
find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(QUILLORA_STRINGS_DIR ${CMAKE_SOURCE_DIR}/resources/strings)
set(QUILLORA_STRINGS_GENERATOR ${CMAKE_SOURCE_DIR}/tools/gen-strings.py)
set(QUILLORA_STRINGS_OUT ${CMAKE_BINARY_DIR}/generated/strings)

file(GLOB QUILLORA_STRINGS_SOURCES CONFIGURE_DEPENDS ${QUILLORA_STRINGS_DIR}/*.txt)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${QUILLORA_STRINGS_SOURCES} ${QUILLORA_STRINGS_GENERATOR})

set(QUILLORA_STRINGTABLE_CPP ${QUILLORA_STRINGS_OUT}/StringTables.cpp)
set(QUILLORA_STRINGTABLE_RC)
# The named ids, included as "foundation/StringIds.h".
set(QUILLORA_STRINGIDS_INCLUDE ${CMAKE_BINARY_DIR}/generated/include)
set(_quillora_strings_args --input ${QUILLORA_STRINGS_DIR} --cpp ${QUILLORA_STRINGTABLE_CPP}
    --ids ${QUILLORA_STRINGIDS_INCLUDE}/foundation/StringIds.h)
if(WIN32)
  set(QUILLORA_STRINGTABLE_RC ${QUILLORA_STRINGS_OUT}/Strings.rc)
  list(APPEND _quillora_strings_args --rc ${QUILLORA_STRINGTABLE_RC})
endif()

execute_process(
  COMMAND ${Python3_EXECUTABLE} ${QUILLORA_STRINGS_GENERATOR} ${_quillora_strings_args}
  RESULT_VARIABLE _quillora_strings_result
  ERROR_VARIABLE _quillora_strings_error)
if(NOT _quillora_strings_result EQUAL 0)
  message(FATAL_ERROR "String tables could not be generated:\n${_quillora_strings_error}")
endif()
