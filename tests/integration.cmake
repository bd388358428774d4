# The integration kit's checks (included by tests/CMakeLists.txt): the public header fully documented,
# outside projects built against an installed tree, and the Python binding. Linux builds only; the
# sanitizer builds skip what loads their instrumented library into another program.
if(CMAKE_CROSSCOMPILING)
  return()
endif()

add_test(NAME docs_check COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/docs_check.sh ${CMAKE_BINARY_DIR}/Doxyfile)
set_tests_properties(docs_check PROPERTIES SKIP_RETURN_CODE 77)

if(ORLA_SANITIZE OR ORLA_TSAN OR ORLA_BUILD_FUZZ)
  return()
endif()

add_test(NAME consumer COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/consumer_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_C_COMPILER}
                               ${CMAKE_CURRENT_SOURCE_DIR}/consumer)
set_tests_properties(consumer PROPERTIES TIMEOUT 600)

# Debian's Python with its pytest: the first python3 (on PATH, then /usr/bin) that has pytest.
find_program(ORLA_PYTHON_ON_PATH python3)
set(ORLA_PYTHON "")
foreach(python IN ITEMS ${ORLA_PYTHON_ON_PATH} /usr/bin/python3)
  if(NOT ORLA_PYTHON AND EXISTS ${python})
    execute_process(COMMAND ${python} -c "import pytest" RESULT_VARIABLE no_pytest OUTPUT_QUIET ERROR_QUIET)
    if(no_pytest EQUAL 0)
      set(ORLA_PYTHON ${python})
    endif()
  endif()
endforeach()
if(ORLA_PYTHON)
  add_test(NAME python_binding COMMAND ${ORLA_PYTHON} -m pytest -q -p no:cacheprovider
                                       ${PROJECT_SOURCE_DIR}/bindings/python/tests)
  add_test(NAME python_install COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/python_install_test.sh ${ORLA_PYTHON}
                                        ${PROJECT_SOURCE_DIR}/bindings/python $<TARGET_FILE:orla>)
  set_tests_properties(python_binding python_install PROPERTIES SKIP_RETURN_CODE 77 ENVIRONMENT
                       "ORLA_LIBRARY=$<TARGET_FILE:orla>;CC=${CMAKE_C_COMPILER};PYTHONDONTWRITEBYTECODE=1")
else()
  add_test(NAME python_binding COMMAND ${CMAKE_COMMAND} -E echo
           "SKIPPED: no python3 with pytest (scripts/install-deps.sh installs python3-pytest)")
  set_tests_properties(python_binding PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED")
endif()
