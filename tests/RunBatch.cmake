# Runs pivolo-solve on a file of games and compares its output and exit status with the
# expected ones; with JOBS set, it solves that many games at once; ARGS: more options.
set(args ${ARGS})
if(DEFINED JOBS)
    list(APPEND args --jobs ${JOBS})
endif()
execute_process(COMMAND ${SOLVE} ${args} INPUT_FILE ${INPUT} OUTPUT_VARIABLE output
                RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/batch-output.txt "${output}")
    message(FATAL_ERROR "output differs from ${EXPECTED}: see batch-output.txt\n${output}")
endif()
if(NOT status EQUAL ${STATUS})
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}")
endif()
