# merid_add_test(NAME source...): a GoogleTest executable linked against the
# core library, its cases registered with CTest one by one.
function(merid_add_test name)
  if(NOT MERID_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE merid_core GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
