# Checks the package DEB: its name, version and relations, and that it holds exactly the files a
# user of the program needs. Run with -DDEB=... -DVERSION=... -DAPP_ID=...
cmake_minimum_required(VERSION 3.25)

function(field name out)
    execute_process(COMMAND dpkg-deb --field ${DEB} ${name} OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

function(expect_field name pattern)
    field(${name} value)
    if(NOT value MATCHES "${pattern}")
        message(SEND_ERROR "${name} is \"${value}\", expected to match \"${pattern}\"")
    endif()
endfunction()

expect_field(Package "^tessnivar$")
expect_field(Version "^${VERSION}$")
# The fonts are found by name at run time, so only the package names them; the libraries come
# from their symbols.
expect_field(Depends "(^|, )fonts-liberation(,|$)")
expect_field(Depends "(^|, )fonts-comic-neue(,|$)")
expect_field(Depends "(^|, )libqt6widgets6 \\(>= [^)]+\\)")
expect_field(Depends "(^|, )libcups2 \\(>= [^)]+\\)")
expect_field(Recommends "^cups$")

set(expected
    ./usr/bin/tessnivar
    ./usr/bin/tessnivar-report
    ./usr/share/applications/${APP_ID}.desktop
    ./usr/share/metainfo/${APP_ID}.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/tessnivar.svg
    ./usr/share/man/man1/tessnivar.1.gz
    ./usr/share/man/man1/tessnivar-report.1.gz
    ./usr/share/doc/tessnivar/copyright
    ./usr/share/doc/tessnivar/changelog.gz
)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected ./usr/share/icons/hicolor/${size}x${size}/apps/tessnivar.png)
endforeach()

# Every entry but the folders, checked for its mode and owner.
execute_process(COMMAND dpkg-deb --contents ${DEB} OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "^(d|$)")
set(files)
foreach(entry IN LISTS entries)
    string(REGEX MATCH "^([^ ]+) ([^ ]+) .* (\\./[^ ]+)$" _ "${entry}")
    set(mode ${CMAKE_MATCH_1})
    set(owner ${CMAKE_MATCH_2})
    set(path ${CMAKE_MATCH_3})
    list(APPEND files ${path})
    if(path MATCHES "^\\./usr/bin/")
        set(wanted_mode -rwxr-xr-x)
    else()
        set(wanted_mode -rw-r--r--)
    endif()
    if(NOT mode STREQUAL wanted_mode OR NOT owner STREQUAL "root/root")
        message(SEND_ERROR "${path} is ${mode} ${owner}, expected ${wanted_mode} root/root")
    endif()
endforeach()

list(SORT files)
list(SORT expected)
if(NOT files STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${files})
    set(extra ${files})
    list(REMOVE_ITEM extra ${expected})
    message(SEND_ERROR "the package's files differ: missing \"${missing}\", unexpected \"${extra}\"")
endif()
