# The manual page of merid-calc names every option and every output field
# that merid-calc --help names, so that a new one cannot be left out.
#   cmake -DCALC=<merid-calc> -DPAGE=<merid-calc.1> -P calc_page_test.cmake

execute_process(COMMAND ${CALC} --help RESULT_VARIABLE status
                OUTPUT_VARIABLE help)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "merid-calc --help: status ${status}")
endif()
file(READ ${PAGE} page)
# In roff a minus is written \-.
string(REPLACE "\\-" "-" page "${page}")

string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
list(REMOVE_DUPLICATES options)

# The field list: the lines under "Fields" up to the next blank line, each
# starting with two blanks and the field's name.
string(REGEX MATCH "\nFields[^\n]*\n(.*)" fields_on "${help}")
string(REGEX REPLACE "\n\n.*" "" field_lines "${CMAKE_MATCH_1}")
string(REPLACE "\n" ";" field_lines "${field_lines}")
set(fields)
foreach(line IN LISTS field_lines)
  if(line MATCHES "^  ([a-z0-9_]+) ")
    list(APPEND fields ${CMAKE_MATCH_1})
  endif()
endforeach()
list(LENGTH fields count)
if(count LESS 30)
  message(FATAL_ERROR "found only ${count} fields in merid-calc --help")
endif()

set(missing)
foreach(option IN LISTS options)
  string(FIND "${page}" "${option}" at)
  if(at EQUAL -1)
    list(APPEND missing "${option}")
  endif()
endforeach()
foreach(field IN LISTS fields)
  if(NOT page MATCHES "\n\\.B ${field}\n")
    list(APPEND missing "field ${field}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "merid-calc.1 lacks what --help names: ${missing}")
endif()
