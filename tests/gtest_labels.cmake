# SPDX-License-Identifier: MIT
# Runs after a GoogleTest program is built, beside the discovery of its cases: lists the cases with
# the source file of each and writes the CTest lines that label every case with its file's area.
#   cmake -DPROGRAM=EXE -DAREA_MAP=FILE -DOUTPUT=FILE [-DFILTER=GTEST_FILTER] [-DSUFFIX=TEXT]
#         [-DEXTRA_LABELS=A,B] [-DENVIRONMENT=VAR=VALUE,...] -P tests/gtest_labels.cmake
# AREA_MAP sets korvexer_area_<file name> for every test source of the program. SUFFIX is the one
# the discovery appended to each case's name; the extra labels and the environment go to every
# case listed.
foreach(required PROGRAM AREA_MAP OUTPUT)
    if(NOT ${required})
        message(FATAL_ERROR "gtest_labels.cmake needs -D${required}=...")
    endif()
endforeach()
include(${AREA_MAP})
string(REPLACE "," ";" extra_labels "${EXTRA_LABELS}")
string(REPLACE "," ";" environment "${ENVIRONMENT}")

set(listing ${OUTPUT}.json)
set(arguments --gtest_list_tests --gtest_output=json:${listing})
if(FILTER)
    list(APPEND arguments --gtest_filter=${FILTER})
endif()
execute_process(COMMAND ${PROGRAM} ${arguments} RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} could not list its tests (${status})")
endif()
file(READ ${listing} text)

set(areas "")
string(JSON suite_count LENGTH "${text}" testsuites)
if(suite_count GREATER 0)
    math(EXPR last_suite "${suite_count} - 1")
    foreach(s RANGE ${last_suite})
        # Each query parses its document; the suite's own is small.
        string(JSON suite GET "${text}" testsuites ${s})
        string(JSON suite_name GET "${suite}" name)
        string(JSON case_count LENGTH "${suite}" testsuite)
        if(case_count EQUAL 0)
            continue()  # a suite the filter left empty
        endif()
        math(EXPR last_case "${case_count} - 1")
        foreach(c RANGE ${last_case})
            string(JSON case_name GET "${suite}" testsuite ${c} name)
            string(JSON file GET "${suite}" testsuite ${c} file)
            get_filename_component(file_name "${file}" NAME)
            set(area "${korvexer_area_${file_name}}")
            if(NOT area)
                message(FATAL_ERROR "${suite_name}.${case_name} is in ${file}, which has no test area: "
                        "name its area in tests/CMakeLists.txt")
            endif()
            list(APPEND areas ${area})
            string(APPEND cases_${area} " [==[${suite_name}.${case_name}${SUFFIX}]==]")
        endforeach()
    endforeach()
endif()
list(REMOVE_DUPLICATES areas)

set(lines "")
foreach(area IN LISTS areas)
    set(labels ${area} ${extra_labels})
    string(APPEND lines "set_tests_properties(${cases_${area}}\n    PROPERTIES LABELS [==[${labels}]==]")
    if(environment)
        string(APPEND lines " ENVIRONMENT [==[${environment}]==]")
    endif()
    string(APPEND lines ")\n")
endforeach()
file(WRITE ${OUTPUT} "${lines}")
