# Unpacks the package DEB into UNPACKED and runs the command-line tool from there: it starts
# with the libraries of the system and writes the same report as the tool in the build tree,
# BUILT_TOOL. Run with -DDEB=... -DUNPACKED=... -DVERSION=... -DBUILT_TOOL=...
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/unpack.cmake)

set(tool ${UNPACKED}/usr/bin/tessnivar-report)
execute_process(COMMAND ${tool} --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version STREQUAL "tessnivar-report V ${VERSION}\n")
    message(FATAL_ERROR "${tool} --version exited with ${status}, printing \"${version}\"")
endif()

foreach(form --text --csv)
    execute_process(COMMAND ${tool} ${form} 172.16.0.0 4 OUTPUT_VARIABLE packaged
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${BUILT_TOOL} ${form} 172.16.0.0 4 OUTPUT_VARIABLE built
                    COMMAND_ERROR_IS_FATAL ANY)
    if(NOT packaged STREQUAL built OR packaged STREQUAL "")
        message(FATAL_ERROR "the packaged tool's ${form} report differs from the built one's")
    endif()
endforeach()
