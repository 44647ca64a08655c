# `docs`: the API reference of the public header and what it includes, in build/docs/html
# (make docs). An undocumented public member fails it.
find_program(DOXYGEN_EXECUTABLE doxygen)
if(DOXYGEN_EXECUTABLE)
  include(${CMAKE_CURRENT_LIST_DIR}/public_headers.cmake)
  pagora_public_headers(${PROJECT_SOURCE_DIR} pdf/core/pagora.h pagora_documented_headers)
  list(TRANSFORM pagora_documented_headers PREPEND ${PROJECT_SOURCE_DIR}/)
  list(APPEND pagora_documented_headers ${PROJECT_SOURCE_DIR}/docs/api/mainpage.md)
  list(JOIN pagora_documented_headers " " PAGORA_DOCS_INPUT)
  set(PAGORA_DOCS_DIR ${PROJECT_SOURCE_DIR}/build/docs)
  configure_file(${PROJECT_SOURCE_DIR}/docs/api/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E make_directory ${PAGORA_DOCS_DIR}
                    COMMAND ${DOXYGEN_EXECUTABLE} ${PROJECT_BINARY_DIR}/Doxyfile
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    COMMENT "Writing the API reference into ${PAGORA_DOCS_DIR}/html")
endif()
