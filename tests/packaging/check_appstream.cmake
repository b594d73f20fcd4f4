# Validates AppStream metainfo with appstreamcli, pedantic hints included, without the network.
# Every error, warning, info and pedantic hint fails the check except the hints in ALLOWED
# (tags separated by ";"): our application id, fixed by convention, has upper-case letters.
#   cmake -DTOOL=... -DFILE=... -DALLOWED=tag;... -P check_appstream.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT TOOL OR NOT EXISTS "${TOOL}")
    message(FATAL_ERROR "appstreamcli is not installed (${TOOL}); scripts/test installs it.")
endif()
if(NOT EXISTS "${FILE}")
    message(FATAL_ERROR "Nothing to check: ${FILE} does not exist.")
endif()
execute_process(COMMAND ${TOOL} validate --no-color --no-net --pedantic --strict ${FILE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(report "appstreamcli validate --no-net --pedantic --strict ${FILE}\nexit status: ${status}\n${out}${err}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${report}")
endif()
string(REPLACE "\n" ";" lines "${out}${err}")
foreach(line IN LISTS lines)
    # Finding lines read "X: component:line: tag detail", X being E, W, I or P.
    if(line MATCHES "^[EWIP]:")
        if(NOT line MATCHES "^P: [^ ]+ ([a-z0-9-]+)" OR NOT CMAKE_MATCH_1 IN_LIST ALLOWED)
            message(FATAL_ERROR "${report}")
        endif()
    endif()
endforeach()
if(NOT out MATCHES "Validation was successful")
    message(FATAL_ERROR "${report}")
endif()
message(STATUS "${FILE}: valid")
