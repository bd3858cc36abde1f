# Runs one fuzz target for SECONDS on the seeds in SEEDS, with new inputs and
# crash files under WORK. Fails when the fuzzer finds a fault.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
set(options -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
  -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/)
if(DICT)
  list(APPEND options -dict=${DICT})
endif()
# The scratch directory comes first: libFuzzer writes what it finds into the
# first directory it is given.
execute_process(COMMAND ${FUZZER} ${options} ${WORK}/corpus ${SEEDS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB found ${WORK}/artifacts/*)
  message(FATAL_ERROR "${FUZZER} failed (${result}); inputs: ${found}")
endif()
