# Checks that every text naming the release names the project's VERSION: the newest release of
# the software-centre metadata METAINFO, the newest entry of the Debian CHANGELOG and the footer
# of each manual page in MANUALS (a list).
cmake_minimum_required(VERSION 3.25)

file(READ ${METAINFO} metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${metainfo}")
set(named_by_metainfo "${CMAKE_MATCH_1}")

file(STRINGS ${CHANGELOG} first_entry LIMIT_COUNT 1)
string(REGEX MATCH "^tessnivar \\(([^)]*)\\)" _ "${first_entry}")
set(named_by_changelog "${CMAKE_MATCH_1}")

foreach(source metainfo changelog)
    if(NOT named_by_${source} STREQUAL VERSION)
        message(SEND_ERROR "the ${source}'s newest release is \"${named_by_${source}}\", "
                           "the project's version is ${VERSION}")
    endif()
endforeach()

foreach(manual IN LISTS MANUALS)
    file(STRINGS ${manual} title REGEX "^\\.TH ")
    if(NOT title MATCHES " \"Tessnivar ${VERSION}\" ")
        message(SEND_ERROR "${manual} has \"${title}\", not the version ${VERSION}")
    endif()
endforeach()
