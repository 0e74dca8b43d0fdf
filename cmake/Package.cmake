# The Debian package: `cmake --build build --target package` writes
# build/tessnivar_<version>_<architecture>.deb, installing what cmake/Install.cmake names to /usr
# (the DEB generator's own prefix, whatever CMAKE_INSTALL_PREFIX is).
# Included after cmake/Install.cmake.
find_program(DPKG_PROGRAM dpkg)
if(NOT DPKG_PROGRAM)
    return()
endif()
execute_process(COMMAND ${DPKG_PROGRAM} --print-architecture
                OUTPUT_VARIABLE TESSNIVAR_DEB_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessnivar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
# Directories made by the install step get the usual modes whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${TESSNIVAR_DEB_ARCHITECTURE})
set(TESSNIVAR_DEB_FILE tessnivar_${PROJECT_VERSION}_${TESSNIVAR_DEB_ARCHITECTURE}.deb)
set(CPACK_DEBIAN_FILE_NAME ${TESSNIVAR_DEB_FILE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tessnivar developers <tessnivar@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.com/tessnivar)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# The libraries come from dpkg-shlibdeps; the fonts are looked up by name at run time, so no
# library names them: Liberation Sans Narrow is the window's face, Comic Neue stands in for the
# About window's Comic Sans MS. Printing goes through the CUPS library, which is a library
# dependency; the CUPS server is only recommended, as the program plans and writes files
# without it and can also print through a CUPS server on another machine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS cups)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "classful IPv4 subnet planner")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tessnivar plans the subnets of a Class A, B or C network: type the network
address and choose how many host bits to borrow, and it shows the subnet mask,
the number of subnets and the addresses in each, and lists every subnet with
its first and last address.

The plan can be printed on the default printer, or written as a plain-text
report in columns or as a CSV file for spreadsheets. The command-line tool
tessnivar-report writes the same reports for scripts.")

# `--target package_source` packs the sources without the repository and the build folders.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build[^/]*/" "/fuzz-out/")

include(CPack)
