# Runs pivolo-solve --all on a file of games, refusals among them, with one job and with
# several: the outputs and exit statuses must be the same, and once the lines that --all adds
# are taken out, the text and status must be those of pivolo-solve without it.
execute_process(COMMAND ${SOLVE} --all --jobs 1 INPUT_FILE ${INPUT} OUTPUT_VARIABLE one
                RESULT_VARIABLE one_status)
execute_process(COMMAND ${SOLVE} --all --jobs ${JOBS} INPUT_FILE ${INPUT}
                OUTPUT_VARIABLE several RESULT_VARIABLE several_status)
execute_process(COMMAND ${SOLVE} --jobs 1 INPUT_FILE ${INPUT} OUTPUT_VARIABLE plain
                RESULT_VARIABLE plain_status)
if(NOT one STREQUAL several)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/all-agree-one.txt "${one}")
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/all-agree-several.txt "${several}")
    message(FATAL_ERROR "--all --jobs ${JOBS} differs from --jobs 1: see all-agree-*.txt")
endif()
if(NOT one_status EQUAL several_status OR NOT one_status EQUAL plain_status)
    message(FATAL_ERROR "exit statuses ${one_status}, ${several_status}, ${plain_status}")
endif()
string(REGEX REPLACE "(^|\n)(value|solutions|solution|step|expression): [^\n]*" "" stripped
       "${one}")
if(NOT stripped STREQUAL plain)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/all-agree-stripped.txt "${stripped}")
    message(FATAL_ERROR "--all changes the usual lines: see all-agree-stripped.txt")
endif()
string(FIND "${one}" "\nsolutions: " found)
if(found EQUAL -1)
    message(FATAL_ERROR "--all wrote no solutions")
endif()
