# Installs the program and, on Linux desktops, its application menu entry and its icon in the
# hicolor theme. Included once the tessnivar executable target exists.
include(GNUInstallDirs)

install(TARGETS tessnivar
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .
)

if(UNIX AND NOT APPLE)
    install(FILES ${PROJECT_SOURCE_DIR}/desktop/tessnivar.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32)
        install(FILES ${PROJECT_SOURCE_DIR}/icons/tessnivar-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME tessnivar.png)
    endforeach()
endif()
