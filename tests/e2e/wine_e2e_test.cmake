# The wine suite runs quillet.exe of a Windows build (by default the one of
# the "windows" preset) and skips when it or wine is missing.
set(QUILLET_WINDOWS_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/windows CACHE PATH
  "Windows build whose quillet.exe the wine end-to-end tests run")
find_program(QUILLET_WINE_PROGRAM NAMES wine64 wine)
target_compile_definitions(${E2E_TARGET} PRIVATE
  "QUILLET_WINDOWS_BUILD=\"${QUILLET_WINDOWS_BUILD_DIR}\""
  "QUILLET_WINE=\"${QUILLET_WINE_PROGRAM}\"")
