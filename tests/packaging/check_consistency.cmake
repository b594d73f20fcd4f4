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

# The entries window: its metainfo launches its desktop entry, which starts the program with the
# file it is given, names its icon and window class, and opens the MIME types that packaging
# registers for meet files.
set(entries_id ${APP_ID}.Entries)
file(READ ${SOURCE_DIR}/${entries_id}.metainfo.xml entries_metainfo)
if(NOT entries_metainfo MATCHES "<release version=\"${VERSION}\" date=")
    list(APPEND faults "entries metainfo: the newest release is not ${VERSION}")
endif()
if(NOT entries_metainfo MATCHES "<launchable type=\"desktop-id\">${entries_id}\\.desktop</launchable>")
    list(APPEND faults "entries metainfo: does not launch ${entries_id}.desktop")
endif()
file(STRINGS ${SOURCE_DIR}/${entries_id}.desktop entries_desktop)
foreach(want "Exec=equivtimes-entries %f" "Icon=${entries_id}" "StartupWMClass=equivtimes-entries")
    if(NOT want IN_LIST entries_desktop)
        list(APPEND faults "entries desktop entry: no line ${want}")
    endif()
endforeach()
file(READ ${SOURCE_DIR}/${entries_id}.desktop entries_desktop_text)
file(READ ${SOURCE_DIR}/${entries_id}.mime.xml mime)
string(REGEX MATCHALL "<mime-type type=\"[^\"]+\"" types "${mime}")
foreach(type IN LISTS types)
    string(REGEX REPLACE ".*\"([^\"]+)\"" "\\1" type "${type}")
    string(REPLACE "+" "\\+" type_pattern "${type}")
    if(NOT entries_desktop_text MATCHES "\nMimeType=([^;\n]+;)*${type_pattern};" OR
       NOT entries_metainfo MATCHES "<mediatype>${type_pattern}</mediatype>")
        list(APPEND faults "${type}: not named in the entries desktop entry and metainfo")
    endif()
endforeach()
if(NOT types)
    list(APPEND faults "${entries_id}.mime.xml: no MIME type")
endif()
foreach(icon ${entries_id}.svg ${entries_id}-32.png)
    if(NOT EXISTS ${SOURCE_DIR}/icons/${icon})
        list(APPEND faults "icons/${icon}: missing")
    endif()
endforeach()

# Each program has a manual page.
foreach(page equivtimes equivtimes-cli equivtimes-entries)
    if(NOT EXISTS ${SOURCE_DIR}/man/${page}.1.in)
        list(APPEND faults "man/${page}.1.in: missing")
    endif()
endforeach()

if(faults)
    string(REPLACE ";" "\n  " faults "${faults}")
    message(FATAL_ERROR "The packaging files disagree:\n  ${faults}")
endif()
message(STATUS "Packaging files agree on version ${VERSION} and id ${APP_ID}")
