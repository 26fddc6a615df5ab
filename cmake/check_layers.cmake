# Fails when a product source includes a layer it must not use: a lower
# layer a higher one, one front end another, or any of them the tests'
# support.  Tests (*_test.cc, *_test.h, web/test/) may use what they test
# and what they check it against.
#   cmake -DSOURCE_DIR=<checkout> -P check_layers.cmake

# Each layer and the layers below it that it may include, lowest first.
set(allowed_calc)
set(allowed_text)
set(allowed_base calc text)
set(allowed_platform base text)
set(allowed_design base calc text)
set(allowed_output design base calc text)
set(allowed_report design platform base calc text)
set(allowed_console output report design platform base calc text)
set(allowed_cli output design platform base calc text)
set(allowed_web output report design base calc text)
set(allowed_programs console cli output design platform base calc text)
set(layers calc text base platform design output report console cli web
           programs)

set(faults)
foreach(layer IN LISTS layers)
  file(GLOB sources RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${layer}/*.cc ${SOURCE_DIR}/${layer}/*.h
       ${SOURCE_DIR}/${layer}/*/*.cc ${SOURCE_DIR}/${layer}/*/*.h)
  foreach(source IN LISTS sources)
    if(source MATCHES "_test\\.(cc|h)$" OR source MATCHES "^web/test/")
      continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes
         REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
      if(used STREQUAL layer)
        continue()
      endif()
      # web/compat is the page's own.
      if(layer STREQUAL "web" AND used STREQUAL "web")
        continue()
      endif()
      list(FIND allowed_${layer} ${used} at)
      if(at EQUAL -1)
        list(APPEND faults "${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "includes across the layers:\n  ${text}")
endif()
message(STATUS "every product include stays within its layer and those below")
