# SPDX-License-Identifier: MIT
# Runs SIM on SCRIPT (name.sim) and compares standard output with name.out.
# Extra arguments for the program, one a line, may be given in name.args.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
set(args)
if(EXISTS ${dir}/${name}.args)
    file(STRINGS ${dir}/${name}.args args)
endif()
execute_process(COMMAND ${SIM} ${args}
    INPUT_FILE ${SCRIPT}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "battle-sim exited with ${status}: ${errors}")
endif()
file(READ ${dir}/${name}.out expected)
if(NOT actual STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual "${actual}")
    message(FATAL_ERROR "output differs from ${name}.out; see ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
endif()
