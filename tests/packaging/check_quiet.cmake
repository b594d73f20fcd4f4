# Runs TOOL with TOOL_ARGS on FILE and fails unless it exits 0 and prints nothing at all: the
# validators used here report warnings and hints on a successful exit, and those count too.
#   cmake -DTOOL=... -DTOOL_ARGS="..." -DFILE=... -P check_quiet.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT TOOL OR NOT EXISTS "${TOOL}")
    message(FATAL_ERROR "The checking program is not installed (${TOOL}); scripts/test installs it.")
endif()
if(NOT EXISTS "${FILE}")
    message(FATAL_ERROR "Nothing to check: ${FILE} does not exist.")
endif()
separate_arguments(args UNIX_COMMAND "${TOOL_ARGS}")
execute_process(COMMAND ${TOOL} ${args} ${FILE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
    message(FATAL_ERROR "${TOOL} ${TOOL_ARGS} ${FILE}\nexit status: ${status}\n"
                        "standard output:\n${out}\nstandard error:\n${err}")
endif()
message(STATUS "${FILE}: clean")
