# Installs a build into an empty prefix, checks that the expected files are
# there, and runs the installed program.
#   -DBUILD_DIR -DPREFIX -DEXPECTED=<paths under the prefix> -DPROGRAM=<path
#   under the prefix> [-DRUNNER=<emulator>]
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed: ${failed}")
endif()

foreach(path IN LISTS EXPECTED)
  if(NOT EXISTS ${PREFIX}/${path})
    message(SEND_ERROR "not installed: ${path}")
  endif()
endforeach()

# --version-only reads nothing and needs no terminal: the build-information
# line on standard error, nothing on standard output, exit code 0.
execute_process(COMMAND ${RUNNER} ${PREFIX}/${PROGRAM} --version-only
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL "0")
  message(SEND_ERROR "installed ${PROGRAM} --version-only: exit code ${code}\n${err}")
endif()
if(NOT out STREQUAL "")
  message(SEND_ERROR "installed ${PROGRAM} --version-only wrote to standard output: ${out}")
endif()
if(NOT err MATCHES "v1\\.2\\.0\\.100 ")
  message(SEND_ERROR "installed ${PROGRAM} --version-only: no full version in: ${err}")
endif()
