# SPDX-License-Identifier: MIT
# cmake -DINPUT=FILE -DOUTPUT=FILE -P utf8_text.cmake: writes the GBK text INPUT with CR LF line
# ends as UTF-8 with LF line ends, the form a text file takes on Linux.
find_program(ICONV iconv REQUIRED)
execute_process(COMMAND ${ICONV} -f GBK -t UTF-8 ${INPUT}
                OUTPUT_VARIABLE text RESULT_VARIABLE status ERROR_VARIABLE problem)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${INPUT} is no GBK text: ${problem}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
