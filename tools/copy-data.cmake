# SPDX-License-Identifier: MIT
# Copies the game data into the build tree; an existing score file is kept.
file(MAKE_DIRECTORY ${DST})
file(GLOB files ${SRC}/*)
foreach(f ${files})
    get_filename_component(name ${f} NAME)
    if(name STREQUAL "HSData.mvt" AND EXISTS ${DST}/${name})
        continue()
    endif()
    file(COPY_FILE ${f} ${DST}/${name} ONLY_IF_DIFFERENT)
endforeach()
