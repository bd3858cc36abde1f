# The build's date and time, taken when the project is configured, in UTC.
# string(TIMESTAMP) takes SOURCE_DATE_EPOCH when it is set, so a reproducible
# build gets the date of its sources.
string(TIMESTAMP QUILLET_BUILD_DATE "%Y/%m/%d" UTC)
string(TIMESTAMP QUILLET_BUILD_DATETIME "%Y/%m/%d %H:%M:%S" UTC)
target_compile_definitions(quillet_logic PRIVATE
  "QUILLET_BUILD_DATE=\"${QUILLET_BUILD_DATE}\""
  "QUILLET_BUILD_DATETIME=\"${QUILLET_BUILD_DATETIME}\"")

# The platform tag that follows the version in the banner: " x64" on 64-bit
# x86, " arm64" on 64-bit ARM, " x86" on 32-bit x86, otherwise the target
# processor's own name in lower case.
string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" QUILLET_PROCESSOR)
if(QUILLET_PROCESSOR MATCHES "^(x86_64|amd64|x64)$")
  set(QUILLET_PLATFORM_TAG " x64")
elseif(QUILLET_PROCESSOR MATCHES "^(aarch64|arm64)$")
  set(QUILLET_PLATFORM_TAG " arm64")
elseif(QUILLET_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  set(QUILLET_PLATFORM_TAG " x86")
else()
  set(QUILLET_PLATFORM_TAG " ${QUILLET_PROCESSOR}")
endif()
target_compile_definitions(quillet_logic PRIVATE
  "QUILLET_PLATFORM_TAG=\"${QUILLET_PLATFORM_TAG}\"")

# The maker's two fixed lines. They stand here once, for the banner and for the
# version resource of the Windows build.
set(QUILLET_NOTICE "Copyright (c) 2026 the Quillet developers. Released under the MIT License.")
set(QUILLET_ATTRIBUTION
  "Made by the Quillet developers; source code and documentation come with the program (README.md).")
# The definitions are items of a list: a ";" in a line is escaped so that it
# stays in the text instead of splitting the definition in two.
string(REPLACE ";" "\\;" QUILLET_NOTICE_DEFINITION "${QUILLET_NOTICE}")
string(REPLACE ";" "\\;" QUILLET_ATTRIBUTION_DEFINITION "${QUILLET_ATTRIBUTION}")
target_compile_definitions(quillet_logic PRIVATE
  "QUILLET_NOTICE=\"${QUILLET_NOTICE_DEFINITION}\""
  "QUILLET_ATTRIBUTION=\"${QUILLET_ATTRIBUTION_DEFINITION}\"")
