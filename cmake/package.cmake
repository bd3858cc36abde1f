# Release packages, built by CPack from the install tree of cmake/install.cmake:
# a .zip for Windows, a .tar.gz and a .deb elsewhere.
#   cpack --config <build>/CPackConfig.cmake       (or: cpack --preset default)

# The description is the one the program shows in its banner.
file(READ ${PROJECT_SOURCE_DIR}/app/driver.cpp QUILLET_DRIVER_SOURCE)
if(QUILLET_DRIVER_SOURCE MATCHES "kDescription =[ \t\r\n]*\"([^\"]+)\"")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_MATCH_1}")
else()
  message(FATAL_ERROR "app/driver.cpp: no kDescription found for the package description")
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "the Quillet developers")
set(CPACK_PACKAGE_CONTACT "the Quillet developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION
  "Asks the person at the console for one line of input, such as a name or a\npassword, with the typing hidden on request, and writes it to standard\noutput for the script that started it.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "the Quillet developers")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The dependencies come from the libraries the binary really links, when
  # dpkg-shlibdeps is there to read them; a static binary has none.
  find_program(QUILLET_DPKG_SHLIBDEPS dpkg-shlibdeps)
  get_target_property(QUILLET_LINK_OPTIONS quillet LINK_OPTIONS)
  if(QUILLET_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  elseif(NOT "-static" IN_LIST QUILLET_LINK_OPTIONS)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
  endif()
endif()

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/\\\\.ci/")

include(CPack)
