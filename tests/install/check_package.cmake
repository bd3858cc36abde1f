# Builds the packages of a build and checks that each holds the expected files.
#   -DCPACK=<cpack> -DCONFIG=<CPackConfig.cmake> -DOUT=<directory> -DGENERATORS=<list>
#   -DEXPECTED=<paths relative to the install prefix>
file(REMOVE_RECURSE ${OUT})
foreach(generator IN LISTS GENERATORS)
  execute_process(COMMAND ${CPACK} -G ${generator} -B ${OUT}/${generator} --config ${CONFIG}
    RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(failed)
    message(FATAL_ERROR "cpack -G ${generator} failed:\n${log}")
  endif()
  file(GLOB package ${OUT}/${generator}/*.zip ${OUT}/${generator}/*.tar.gz
    ${OUT}/${generator}/*.deb)
  list(LENGTH package count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack -G ${generator}: expected one package, found: ${package}")
  endif()

  if(generator STREQUAL "DEB")
    find_program(DPKG_DEB dpkg-deb)
    if(NOT DPKG_DEB)
      message(STATUS "dpkg-deb not found: ${package} made, its contents not checked")
      continue()
    endif()
    execute_process(COMMAND ${DPKG_DEB} --contents ${package} OUTPUT_VARIABLE listing
      RESULT_VARIABLE failed)
    execute_process(COMMAND ${DPKG_DEB} --field ${package} Maintainer Description
      OUTPUT_VARIABLE fields)
    if(NOT fields MATCHES "Maintainer: the Quillet developers\nDescription: [^\n]+\n")
      message(SEND_ERROR "${package}: maintainer or description missing:\n${fields}")
    endif()
    set(root "\\./usr/")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${package} OUTPUT_VARIABLE listing
      RESULT_VARIABLE failed)
    set(root "[^/\n]+/")
  endif()
  if(failed)
    message(FATAL_ERROR "cannot list ${package}")
  endif()

  foreach(path IN LISTS EXPECTED)
    string(REGEX REPLACE "([][.+*?()^$\\\\|])" "\\\\\\1" pattern "${path}")
    if(NOT listing MATCHES "(^|[ \n])${root}${pattern}(\n|$)")
      message(SEND_ERROR "${package} lacks ${path}")
    endif()
  endforeach()
endforeach()
