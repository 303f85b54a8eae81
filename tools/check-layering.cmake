# SPDX-License-Identifier: MIT
# Fails when a folder of the game includes a header from a folder that sits
# above it. From the bottom: the VB number helpers, the game's settings and
# their rules, the battle core (these three must also stay free of Qt) and
# the form helpers; the media layer, the
# settings and the score file on top of those; the battle's views, its window,
# the scores viewer, the front end, the game controllers; the program's main() may use them all.
# The link graph enforces the same order; this check says which include broke it.
# Usage: cmake -DGAME=<game folder> -P check-layering.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT GAME OR NOT IS_DIRECTORY "${GAME}")
    message(FATAL_ERROR "GAME must name the game's source folder")
endif()

# Each folder with the folders it may include from (itself included).
set(allowed_vbmath vbmath)
set(allowed_rules rules vbmath)
set(allowed_battle battle rules vbmath)
set(allowed_testing testing battle rules vbmath)
set(allowed_shared shared rules vbmath)
set(allowed_sdl sdl)
set(allowed_media media sdl shared rules vbmath)
set(allowed_settings settings rules vbmath)
set(allowed_scorefile scorefile settings rules vbmath)
set(below_view battle media settings scorefile sdl shared rules vbmath)
set(allowed_view view ${below_view})
set(allowed_window window view ${below_view})
set(allowed_scores scores ${below_view})
set(allowed_frontend frontend scores ${below_view})
set(allowed_controller controller window view ${below_view})
set(allowed_. . controller frontend scores window view ${below_view})
set(folders vbmath rules battle testing shared sdl media settings scorefile view window scores
    frontend controller)

# A quoted include is looked for beside the file, then in each folder (every
# library puts its own folder on the include path) and the game folder.
function(resolve from name out)
    get_filename_component(dir "${from}" DIRECTORY)
    set(bases "${dir}")
    foreach(folder ${folders})
        list(APPEND bases "${GAME}/${folder}")
    endforeach()
    foreach(base ${bases} "${GAME}")
        if(EXISTS "${base}/${name}" AND NOT IS_DIRECTORY "${base}/${name}")
            get_filename_component(found "${base}/${name}" ABSOLUTE)
            set(${out} "${found}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "" PARENT_SCOPE)
endfunction()

# The game folder a file belongs to: ".", shared, battle, view, ...
function(folder_of file out)
    file(RELATIVE_PATH rel "${GAME}" "${file}")
    get_filename_component(dir "${rel}" DIRECTORY)
    if(dir STREQUAL "")
        set(dir .)
    endif()
    set(${out} "${dir}" PARENT_SCOPE)
endfunction()

function(includes_qt file out)
    file(STRINGS "${file}" qt REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    set(${out} "${qt}" PARENT_SCOPE)
endfunction()

get_filename_component(GAME "${GAME}" ABSOLUTE)
file(GLOB_RECURSE sources "${GAME}/*.h" "${GAME}/*.cpp")
set(faults "")
foreach(source ${sources})
    folder_of("${source}" folder)
    if(NOT DEFINED allowed_${folder})
        # A library's folder is on its users' include path: code in a folder
        # inside it could be included by them as "inner/Header.h", past the
        # layering. Folders sit side by side.
        foreach(outer ${folders})
            string(FIND "${folder}" "${outer}/" nested)
            if(nested EQUAL 0)
                file(RELATIVE_PATH shown "${GAME}" "${source}")
                list(APPEND faults "${shown}: inside ${outer}, whose users could include it")
                break()
            endif()
        endforeach()
        continue() # assets and anything not part of the layering
    endif()
    file(RELATIVE_PATH shown "${GAME}" "${source}")
    if(folder MATCHES "^(battle|rules|testing|vbmath)$")
        includes_qt("${source}" qt)
        if(qt)
            list(APPEND faults "${shown}: ${folder} must stay free of Qt, but includes it")
        endif()
    endif()
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" name "${line}")
        resolve("${source}" "${name}" target)
        if(target STREQUAL "")
            continue() # not a file of the game
        endif()
        string(FIND "${target}" "${GAME}/" inside)
        if(NOT inside EQUAL 0)
            continue()
        endif()
        folder_of("${target}" to)
        set(may "${allowed_${folder}}")
        if(NOT to IN_LIST may)
            list(APPEND faults "${shown}: includes ${name}, but ${folder} may not use ${to}")
        elseif(folder MATCHES "^(battle|rules|testing)$" AND NOT to STREQUAL folder AND NOT to STREQUAL "vbmath")
            includes_qt("${target}" qt)
            if(qt)
                list(APPEND faults "${shown}: includes ${name}, which brings Qt into ${folder}")
            endif()
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that reach up a layer:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "layering holds for ${count} files")
