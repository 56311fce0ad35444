# cmake -DSOURCE=<utf-8 file> -DTARGET=<cp1251 file> -P ToCodePage1251.cmake
file(READ "${SOURCE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
get_filename_component(target_dir "${TARGET}" DIRECTORY)
file(MAKE_DIRECTORY "${target_dir}")
file(WRITE "${TARGET}.utf8" "${text}")
execute_process(
    COMMAND iconv -f UTF-8 -t CP1251 "${TARGET}.utf8"
    OUTPUT_FILE "${TARGET}"
    RESULT_VARIABLE result
    ERROR_VARIABLE error)
file(REMOVE "${TARGET}.utf8")
if(NOT result EQUAL 0)
    file(REMOVE "${TARGET}")
    message(FATAL_ERROR "${SOURCE} cannot be written in code page 1251: ${error}")
endif()
