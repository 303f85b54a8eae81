# SPDX-License-Identifier: MIT
# cmake -DGZIP=<gzip> -DIN=<file> -DOUT=<file.gz> -P gzip-n.cmake
# Compresses as Debian does: best compression, no name or time stamp inside.
execute_process(COMMAND ${GZIP} -9n -c ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUT})
    message(FATAL_ERROR "gzip failed on ${IN}")
endif()
