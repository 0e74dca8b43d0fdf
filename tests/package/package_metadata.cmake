# Unpacks the package DEB into UNPACKED and checks the desktop entry and the software-centre
# metadata as installed, together: the metadata's launchable names the installed entry, and the
# programs it provides are the ones installed.
# Run with -DDEB=... -DUNPACKED=... -DAPP_ID=... -DAPPSTREAMCLI=... -DDESKTOP_FILE_VALIDATE=...
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/unpack.cmake)

execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${UNPACKED} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(SEND_ERROR "appstreamcli validate-tree found problems in the installed files")
endif()
execute_process(
    COMMAND ${DESKTOP_FILE_VALIDATE} ${UNPACKED}/usr/share/applications/${APP_ID}.desktop
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(SEND_ERROR "desktop-file-validate found problems in the installed desktop entry")
endif()

file(READ ${UNPACKED}/usr/share/metainfo/${APP_ID}.metainfo.xml metainfo)
string(REGEX MATCHALL "<binary>[^<]*</binary>" provided "${metainfo}")
list(TRANSFORM provided REPLACE "</?binary>" "")
file(GLOB installed RELATIVE ${UNPACKED}/usr/bin ${UNPACKED}/usr/bin/*)
list(SORT provided)
list(SORT installed)
if(NOT provided STREQUAL installed)
    message(SEND_ERROR "the metadata provides \"${provided}\", the package installs \"${installed}\"")
endif()
# Software centres show the age rating; without one they show the program as unrated.
if(NOT metainfo MATCHES "<content_rating type=\"oars-1\\.[01]\"")
    message(SEND_ERROR "the metadata has no OARS content rating")
endif()
