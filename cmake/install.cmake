# Install layout: the program, its manual page and its documents. The same
# tree is what the packages of cmake/package.cmake carry.
include(GNUInstallDirs)

set(QUILLET_DOC_FILES ${PROJECT_SOURCE_DIR}/LICENSE)
if(EXISTS ${PROJECT_SOURCE_DIR}/README.md)
  list(APPEND QUILLET_DOC_FILES ${PROJECT_SOURCE_DIR}/README.md)
else()
  message(WARNING "README.md is missing; it will not be installed")
endif()

install(TARGETS quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLET_DOC_FILES} DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(WIN32)
  # Windows has no man; the manual goes along as plain text, rendered from
  # the one source so that the two never drift apart.
  find_program(QUILLET_MANDOC mandoc)
  find_program(QUILLET_GROFF groff)
  if(QUILLET_MANDOC OR QUILLET_GROFF)
    set(QUILLET_MAN_TEXT ${PROJECT_BINARY_DIR}/quillet.txt)
    add_custom_command(OUTPUT ${QUILLET_MAN_TEXT}
      COMMAND ${CMAKE_COMMAND} "-DMANDOC=${QUILLET_MANDOC}" "-DGROFF=${QUILLET_GROFF}"
              -DPAGE=${PROJECT_SOURCE_DIR}/docs/quillet.1 -DOUT=${QUILLET_MAN_TEXT}
              -P ${PROJECT_SOURCE_DIR}/cmake/mantext.cmake
      DEPENDS ${PROJECT_SOURCE_DIR}/docs/quillet.1 ${PROJECT_SOURCE_DIR}/cmake/mantext.cmake
      COMMENT "Rendering the manual page as text")
    add_custom_target(quillet_man_text ALL DEPENDS ${QUILLET_MAN_TEXT})
    install(FILES ${QUILLET_MAN_TEXT} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  else()
    message(WARNING "Neither mandoc nor groff found: the manual will not be installed as text")
  endif()
else()
  install(FILES docs/quillet.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(QUILLET_TESTS)
  add_subdirectory(tests/install)
endif()
