# Installs the program and its command-line tool and, on Linux desktops, the program's menu entry
# and its icon in the hicolor theme. Included once both executable targets exist.
include(GNUInstallDirs)

install(TARGETS tessnivar tessnivar-report
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
