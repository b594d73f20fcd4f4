# The packaging files name each other and the project's version in several places; a release
# that bumps one and forgets another ships a broken package. Checks that they agree.
#   cmake -DSOURCE_DIR=<packaging folder> -DVERSION=<project version> -DAPP_ID=...
#         -P check_consistency.cmake
cmake_minimum_required(VERSION 3.25)
set(faults)

cmake_minimum_required(VERSION 3.25)

# Debian changelog: its newest entry is this version (dpkg reads the first line).
file(READ ${SOURCE_DIR}/doc/changelog changelog)
string(REGEX REPLACE "\n.*" "" changelog "${changelog}")
if(NOT changelog MATCHES "^equivtimes \\(([^)]+)\\) [a-z-]+; urgency=[a-z]+$")
    list(APPEND faults "doc/changelog: first line is not a Debian changelog heading: ${changelog}")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    list(APPEND faults "doc/changelog: newest entry is ${CMAKE_MATCH_1}, the project is ${VERSION}")
endif()

# AppStream metainfo: the first (newest) release is this version, and it names our desktop entry.
file(READ ${SOURCE_DIR}/${APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]+)\" date=\"[0-9]+-[0-9]+-[0-9]+\"")
    list(APPEND faults "metainfo: no dated release")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    list(APPEND faults "metainfo: newest release is ${CMAKE_MATCH_1}, the project is ${VERSION}")
endif()
if(NOT metainfo MATCHES "<id>${APP_ID}</id>")
    list(APPEND faults "metainfo: the component id is not ${APP_ID}")
endif()
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}\\.desktop</launchable>")
    list(APPEND faults "metainfo: does not launch ${APP_ID}.desktop")
endif()

# Desktop entry: starts the window program and names the icon we install, and its window class
# is the one Qt gives the window (the application name, "equivtimes").
file(STRINGS ${SOURCE_DIR}/${APP_ID}.desktop desktop)
foreach(want "Exec=equivtimes" "Icon=${APP_ID}" "StartupWMClass=equivtimes")
    if(NOT want IN_LIST desktop)
        list(APPEND faults "desktop entry: no line ${want}")
    endif()
endforeach()
if(NOT EXISTS ${SOURCE_DIR}/icons/${APP_ID}.svg)
    list(APPEND faults "icons/${APP_ID}.svg: missing")
endif()

# Each program has a manual page.
foreach(page equivtimes equivtimes-cli)
    if(NOT EXISTS ${SOURCE_DIR}/man/${page}.1.in)
        list(APPEND faults "man/${page}.1.in: missing")
    endif()
endforeach()

if(faults)
    string(REPLACE ";" "\n  " faults "${faults}")
    message(FATAL_ERROR "The packaging files disagree:\n  ${faults}")
endif()
message(STATUS "Packaging files agree on version ${VERSION} and id ${APP_ID}")
