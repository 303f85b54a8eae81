# SPDX-License-Identifier: MIT
# Replays SCRIPT through battle-sim (SIM) and compares its output with
# EXPECTED. The actual output is kept in ACTUAL for a diff when they differ.
execute_process(COMMAND ${SIM} INPUT_FILE ${SCRIPT}
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
file(WRITE ${ACTUAL} "${actual}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "battle-sim failed (${status}): ${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from the recorded replay:\n  diff -u ${EXPECTED} ${ACTUAL}")
endif()
