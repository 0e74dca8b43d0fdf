# Installs the program and its command-line tool with their manual pages and, on Linux desktops,
# the program's menu entry, its software-centre metadata and its icons in the hicolor theme.
# Included once both executable targets exist.
include(GNUInstallDirs)

# The desktop entry and the metadata are named after the program's id, TESSNIVAR_APP_ID.
install(TARGETS tessnivar tessnivar-report
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .
)

if(NOT UNIX OR APPLE)
    return()
endif()

# Compresses source into the build folder as destination.gz, as Debian wants manual pages: the
# best compression, and no name or time stamp in the header, so the bytes depend on the content
# alone.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(tessnivar_gzip source destination)
    set(output ${PROJECT_BINARY_DIR}/compressed/${destination})
    add_custom_command(OUTPUT ${output}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}
        COMMAND ${GZIP_PROGRAM} -9 -n -f ${output}
        DEPENDS ${source}
        COMMENT "Compressing ${destination}"
        VERBATIM
    )
    set_property(GLOBAL APPEND PROPERTY TESSNIVAR_COMPRESSED ${output}.gz)
endfunction()

foreach(page tessnivar tessnivar-report)
    tessnivar_gzip(${PROJECT_SOURCE_DIR}/man/${page}.1 man1/${page}.1)
    install(FILES ${PROJECT_BINARY_DIR}/compressed/man1/${page}.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/desktop/${TESSNIVAR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/${TESSNIVAR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/icons/tessnivar-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tessnivar.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/icons/tessnivar.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

get_property(compressed GLOBAL PROPERTY TESSNIVAR_COMPRESSED)
add_custom_target(tessnivar_compressed ALL DEPENDS ${compressed})
