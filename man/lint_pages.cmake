# Every manual page must pass mandoc's checks with nothing to say, style
# remarks included.  Without mandoc the test reports itself skipped.
#   cmake -DPAGES=<page;page...> -P lint_pages.cmake

find_program(MANDOC mandoc)
if(NOT MANDOC)
  # CTest reads this line as a skip (cmake_language(EXIT) needs 3.29).
  message(FATAL_ERROR "mandoc is not installed (Debian: apt-get install mandoc)")
endif()
execute_process(COMMAND ${MANDOC} -T lint -W style ${PAGES}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "mandoc -T lint (status ${status}):\n${out}")
endif()
