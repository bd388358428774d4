# The API reference from the public header's comments (Doxygen): make docs writes build/default/docs/html.
set(ORLA_DOCS_OUTPUT ${CMAKE_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)
find_program(ORLA_DOXYGEN doxygen)
if(ORLA_DOXYGEN)
  add_custom_target(docs COMMAND ${ORLA_DOXYGEN} ${CMAKE_BINARY_DIR}/Doxyfile
                    COMMENT "API reference in ${ORLA_DOCS_OUTPUT}/html/index.html" VERBATIM)
else()
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E echo "doxygen is not installed: scripts/install-deps.sh installs it"
                    COMMAND ${CMAKE_COMMAND} -E false VERBATIM)
endif()
