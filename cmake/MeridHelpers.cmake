# merid_add_library(NAME SOURCE... LINKS LIBRARY...): the library of one
# layer, with the project's root as its include path, linked to the layers
# below it.
function(merid_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINKS")
  add_library(${name} STATIC ${arg_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
endfunction()

# merid_add_test(NAME LIBRARY SOURCE...): a GoogleTest executable of the
# tests of one layer, linked to that layer's library and the test doubles,
# its cases registered with CTest one by one.
function(merid_add_test name library)
  if(NOT MERID_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ${library} merid_test_support
                        GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
