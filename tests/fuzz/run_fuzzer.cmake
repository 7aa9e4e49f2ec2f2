# Runs one fuzzer for a bounded time, starting from the committed seeds. New inputs go to a
# scratch corpus in the build tree, findings (crash, leak, timeout) to the scratch directory,
# so the committed seeds never change.
if(NOT CLANGXX)
  message(FATAL_ERROR "clang++ was not found, so the fuzzers cannot be built: "
                      "install clang and libclang-rt-14-dev (scripts/setup)")
endif()
if(NOT EXISTS "${FUZZER}")
  message(FATAL_ERROR "fuzzer ${FUZZER} was not built")
endif()
file(MAKE_DIRECTORY "${WORK}/corpus")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
          -print_final_stats=1 -artifact_prefix=${WORK}/ "${WORK}/corpus" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is in ${WORK}")
endif()
