# Runs pivolo-solve on a long input, made of a file of games repeated, with one job and with
# several: the outputs and exit statuses must be the same, line for line.
file(READ ${INPUT} games)
string(REPEAT "${games}" 40 long_input)
set(input ${CMAKE_CURRENT_BINARY_DIR}/jobs-agree-input.txt)
file(WRITE ${input} "${long_input}")
execute_process(COMMAND ${SOLVE} --jobs 1 INPUT_FILE ${input} OUTPUT_VARIABLE one
                RESULT_VARIABLE one_status)
execute_process(COMMAND ${SOLVE} --jobs ${JOBS} INPUT_FILE ${input} OUTPUT_VARIABLE several
                RESULT_VARIABLE several_status)
if(NOT one STREQUAL several)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/jobs-agree-one.txt "${one}")
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/jobs-agree-several.txt "${several}")
    message(FATAL_ERROR "--jobs ${JOBS} differs from --jobs 1: see jobs-agree-*.txt")
endif()
if(NOT one_status EQUAL several_status)
    message(FATAL_ERROR "exit status ${several_status} with --jobs ${JOBS}, ${one_status} with one")
endif()
