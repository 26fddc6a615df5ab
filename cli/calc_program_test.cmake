# Runs the built merid-calc as a user would: the exit status of each kind
# of run, the file --svg writes, and the plot in docs/ being the program's
# current output.
#   cmake -DCALC=<merid-calc> -DWORK=<scratch dir> -DDOCS_SVG=<docs/typical.svg>
#         -P calc_program_test.cmake

set(typical 7.1 12 200 2000 50 100)

function(expect_status status)
  execute_process(COMMAND ${CALC} ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL status)
    message(FATAL_ERROR "merid-calc ${ARGN}: status ${rc}, expected ${status}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

expect_status(0 ${typical})
string(FIND "${out}" "   119.426      " at)
if(at EQUAL -1)
  message(FATAL_ERROR "no C1 of 119.426 pF in:\n${out}")
endif()

expect_status(1 7.1 5 200 2000 50 100)
expect_status(2 7.1 12 200 2000 50 0)
if(NOT err MATCHES "^merid-calc: PIN = \"0\" is outside the accepted range")
  message(FATAL_ERROR "unexpected report: ${err}")
endif()
expect_status(0 --bands --format csv 12 200 2000 50 100)
expect_status(1 --bands 5 200 2000 50 100)

expect_status(0 --svg ${WORK}/typical.svg ${typical})
file(READ ${WORK}/typical.svg svg LIMIT 64)
if(NOT svg MATCHES "^<\\?xml ")
  message(FATAL_ERROR "--svg wrote no SVG document")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/typical.svg
                        ${DOCS_SVG} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${DOCS_SVG} is not the program's plot of the typical "
                      "design; write it again with merid-calc --svg")
endif()

expect_status(2 --svg ${WORK}/no/such/folder/x.svg ${typical})
