# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE_DIR=<root> -DCLANG_FORMAT=<program> -P CheckFormat.cmake
# Fails, naming the files, when any C++ source differs from what clang-format makes of it.
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
list(FILTER sources EXCLUDE REGEX "^(build|\\.git)[^/]*/")
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${sources}
                WORKING_DIRECTORY "${SOURCE_DIR}"
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    string(REGEX MATCHALL "[^\n]*: error: code should be clang-formatted" places "${errors}")
    list(TRANSFORM places REPLACE ":[0-9]+:[0-9]+: error: code should be clang-formatted" "")
    list(REMOVE_DUPLICATES places)
    list(JOIN places "\n  " files)
    message(FATAL_ERROR "not formatted (run clang-format -i on them):\n  ${files}")
endif()
