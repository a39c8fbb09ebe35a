# cmake -DPYTHON=... -DSCRIPT=... -DVERSION=... -DCHECKED_IN=... -DOUT=... -P check_unicode_tables.cmake
if(NOT EXISTS /usr/share/unicode/EastAsianWidth.txt)
  message("unicode-data is not installed: nothing to regenerate from")
  return()
endif()
execute_process(COMMAND ${PYTHON} ${SCRIPT} --unicode-version ${VERSION} --out ${OUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${CHECKED_IN}
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${CHECKED_IN} is not what the generator makes: run scripts/gen-unicode-tables.py")
endif()
