# The Windows build: what quillet.exe needs beyond the portable sources.

# MessageBeep lives in user32.
target_link_libraries(quillet_platform PUBLIC user32)

# The version resource. A double quote inside a resource string is written
# twice.
enable_language(RC)
string(REPLACE "\"" "\"\"" QUILLET_RC_NOTICE "${QUILLET_NOTICE}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/../platform/windows/quillet.rc.in
  ${CMAKE_CURRENT_BINARY_DIR}/quillet.rc @ONLY)
target_sources(quillet PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/quillet.rc)
