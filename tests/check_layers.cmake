# SPDX-License-Identifier: MIT
# Checks that the core's modules read bottom to top: a file of core/MODULE includes, from the
# project, only headers of MODULE itself and of the modules below it, by their full path, and no
# file of core/ includes a Qt header. Prints every offending include and fails when there is one.
#   cmake -DKORVEXER_SOURCE_DIR=REPOSITORY -P tests/check_layers.cmake

# The modules from the bottom up; each may use only those before it.
set(layers platform language list scanner record rewrite steps constants functions standin app)

if(NOT KORVEXER_SOURCE_DIR)
    message(FATAL_ERROR "give the repository as -DKORVEXER_SOURCE_DIR=...")
endif()
file(GLOB_RECURSE files RELATIVE ${KORVEXER_SOURCE_DIR}
     ${KORVEXER_SOURCE_DIR}/core/*.h ${KORVEXER_SOURCE_DIR}/core/*.cpp)
if(NOT files)
    message(FATAL_ERROR "no sources under ${KORVEXER_SOURCE_DIR}/core")
endif()

set(offences "")
foreach(file IN LISTS files)
    string(REGEX REPLACE "^core/([^/]+)/.*" "\\1" module "${file}")
    list(FIND layers "${module}" level)
    if(level LESS 0)
        string(APPEND offences "\n  ${file}: core/${module} is no module of the list in "
               "tests/check_layers.cmake; add it there at its place from the bottom up")
        continue()
    endif()
    file(STRINGS ${KORVEXER_SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(include IN LISTS includes)
        if(include MATCHES "<Q")
            string(APPEND offences "\n  ${file}: ${include}: no Qt header in core/")
        elseif(include MATCHES "\"core/([^/\"]+)/")
            list(FIND layers "${CMAKE_MATCH_1}" used)
            if(used LESS 0 OR used GREATER level)
                string(APPEND offences "\n  ${file}: ${include}: core/${module} may include only "
                       "core/${module} and the modules below it")
            endif()
        elseif(include MATCHES "\"")
            string(APPEND offences "\n  ${file}: ${include}: core/ includes only core/ headers, "
                   "by their full path from the repository root")
        endif()
    endforeach()
endforeach()

if(offences)
    string(REPLACE ";" " < " order "${layers}")
    message(FATAL_ERROR "The core's layers are crossed (${order}):${offences}")
endif()
list(LENGTH files count)
message(STATUS "${count} files of core/ keep to the layers")
