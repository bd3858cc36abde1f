# The build's date and time, taken when the project is configured, in UTC.
# string(TIMESTAMP) takes SOURCE_DATE_EPOCH when it is set, so a reproducible
# build gets the date of its sources.
string(TIMESTAMP QUILLET_BUILD_DATE "%Y/%m/%d" UTC)
string(TIMESTAMP QUILLET_BUILD_DATETIME "%Y/%m/%d %H:%M:%S" UTC)
target_compile_definitions(quillet_logic PRIVATE
  "QUILLET_BUILD_DATE=\"${QUILLET_BUILD_DATE}\""
  "QUILLET_BUILD_DATETIME=\"${QUILLET_BUILD_DATETIME}\"")

# The maker's two fixed lines. They stand here once, for the banner and for the
# version resource of the Windows build.
set(QUILLET_NOTICE "Copyright (c) 2026 the Quillet developers. Released under the MIT License.")
set(QUILLET_ATTRIBUTION
  "Made by the Quillet developers. Source code and documentation come with the program (README.md).")
target_compile_definitions(quillet_logic PRIVATE
  "QUILLET_NOTICE=\"${QUILLET_NOTICE}\""
  "QUILLET_ATTRIBUTION=\"${QUILLET_ATTRIBUTION}\"")
