# Renders a manual page as plain text with CR LF line ends, for the Windows
# package. Run with cmake -P, given PAGE, OUT and MANDOC or GROFF.
if(MANDOC)
  set(render ${MANDOC} -T ascii ${PAGE})
else()
  set(render ${GROFF} -mandoc -T ascii -P -c ${PAGE})
endif()
execute_process(COMMAND ${render} OUTPUT_VARIABLE text RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${render}: ${failed}")
endif()

# Both renderers mark bold and underline by overstriking: a character, a
# backspace, and the character or "_" again. Keeping the last character of
# each such group leaves the plain text.
string(ASCII 8 backspace)
string(REGEX REPLACE "[^\n]${backspace}" "" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
