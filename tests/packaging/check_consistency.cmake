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

# Each window's AppStream metainfo: the first (newest) release is this version, it names its
# component and launches its desktop entry. The desktop entry starts the window's program (with
# the file it is given, for the entries window), names the icon we install, and its window class
# is the one Qt gives the window (the application name).
foreach(window "${APP_ID};equivtimes;Exec=equivtimes"
               "${APP_ID}.Entries;equivtimes-entries;Exec=equivtimes-entries %f")
    list(GET window 0 id)
    list(GET window 1 program)
    list(GET window 2 exec)
    file(READ ${SOURCE_DIR}/${id}.metainfo.xml metainfo)
    if(NOT metainfo MATCHES "<release version=\"([^\"]+)\" date=\"[0-9]+-[0-9]+-[0-9]+\"")
        list(APPEND faults "${id} metainfo: no dated release")
    elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
        list(APPEND faults "${id} metainfo: newest release is ${CMAKE_MATCH_1}, the project is ${VERSION}")
    endif()
    if(NOT metainfo MATCHES "<id>${id}</id>")
        list(APPEND faults "${id} metainfo: the component id is not ${id}")
    endif()
    if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${id}\\.desktop</launchable>")
        list(APPEND faults "${id} metainfo: does not launch ${id}.desktop")
    endif()
    file(STRINGS ${SOURCE_DIR}/${id}.desktop desktop)
    foreach(want "${exec}" "Icon=${id}" "StartupWMClass=${program}")
        if(NOT want IN_LIST desktop)
            list(APPEND faults "${id}.desktop: no line ${want}")
        endif()
    endforeach()
    if(NOT EXISTS ${SOURCE_DIR}/icons/${id}.svg)
        list(APPEND faults "icons/${id}.svg: missing")
    endif()
endforeach()

# The entries window opens the MIME types that packaging registers for meet files.
set(entries_id ${APP_ID}.Entries)
file(READ ${SOURCE_DIR}/${entries_id}.metainfo.xml entries_metainfo)
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
if(NOT EXISTS ${SOURCE_DIR}/icons/${entries_id}-32.png)
    list(APPEND faults "icons/${entries_id}-32.png: missing")
endif()

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
