# The checks of what a user gets, chosen by CHECK:
# - help: tessnivar-report's --help and its manual page name the same options and exit statuses.
# - versions: the newest release of the software-centre metadata, the newest entry of the Debian
#   changelog and the footer of each manual page name the project's VERSION.
# - package: the package DEB's relations and exact files; installed (unpacked into UNPACKED), its
#   desktop entry and metadata are valid and agree, its tool writes the report of BUILT_TOOL, both
#   programs pass hardening-check; lintian on CHANGES, pedantic, shows no error and no warning.
cmake_minimum_required(VERSION 3.25)

if(CHECK STREQUAL "help")
    execute_process(COMMAND ${TOOL} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${TOOL} --help exited with ${status}")
    endif()
    file(READ ${MANUAL} manual)

    # Help: options open a line of the list, indented by two spaces, several split by ", "; the
    # statuses are the numbers in the "Exit status:" sentence, each followed by its meaning.
    string(REGEX MATCHALL "\n  -[-a-z]+(, -[-a-z]+)*" help_lines "${help}")
    set(help_options)
    foreach(line IN LISTS help_lines)
        string(REGEX MATCHALL "-[-a-z]+" names "${line}")
        list(APPEND help_options ${names})
    endforeach()
    string(REGEX REPLACE "^.*\nExit status:" "" help_statuses "${help}")
    string(REGEX MATCHALL "[0-9]+ [a-z]" help_statuses "${help_statuses}")
    list(TRANSFORM help_statuses REPLACE " [a-z]$" "")

    # Manual page: the tag line after each .TP of a section without roff's escapes; its first word,
    # or every option it names when it names options.
    function(tagged_items section out)
        string(REGEX MATCH "\n\\.SH \"?${section}\"?\n(.*)" body "${manual}")
        string(REGEX REPLACE "\n\\.SH .*" "" body "${CMAKE_MATCH_1}")
        string(REGEX MATCHALL "\\.TP\n\\.[BIR]+ [^\n]+" tags "${body}")
        set(items)
        foreach(tag IN LISTS tags)
            string(REGEX REPLACE "^\\.TP\n\\.[BIR]+ " "" tag "${tag}")
            string(REPLACE "\\-" "-" tag "${tag}")
            string(REGEX MATCHALL "(^| )-[-a-z]+" options "${tag}")
            if(options)
                list(TRANSFORM options STRIP)
                list(APPEND items ${options})
            else()
                string(REGEX MATCH "^[^ ]+" first "${tag}")
                list(APPEND items ${first})
            endif()
        endforeach()
        set(${out} ${items} PARENT_SCOPE)
    endfunction()
    tagged_items(OPTIONS manual_options)
    tagged_items("EXIT STATUS" manual_statuses)

    foreach(kind options statuses)
        if(NOT help_${kind} OR NOT manual_${kind})
            message(FATAL_ERROR "no ${kind} found: --help gives \"${help_${kind}}\", "
                                "the manual page \"${manual_${kind}}\"")
        endif()
        set(help_sorted ${help_${kind}})
        set(manual_sorted ${manual_${kind}})
        list(SORT help_sorted)
        list(SORT manual_sorted)
        if(NOT help_sorted STREQUAL manual_sorted)
            message(FATAL_ERROR "--help and the manual page differ in their ${kind}:\n"
                                "  --help:      ${help_sorted}\n  manual page: ${manual_sorted}")
        endif()
        message(STATUS "${kind}: ${help_sorted}")
    endforeach()

elseif(CHECK STREQUAL "versions")
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

elseif(CHECK STREQUAL "package")
    function(expect_field name pattern)
        execute_process(COMMAND dpkg-deb --field ${DEB} ${name} OUTPUT_VARIABLE value
                        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
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
        ./usr/share/lintian/overrides/tessnivar
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

    # Installed as an installation would lay it out under /.
    file(REMOVE_RECURSE ${UNPACKED})
    execute_process(COMMAND dpkg-deb -x ${DEB} ${UNPACKED} COMMAND_ERROR_IS_FATAL ANY)

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

    set(tool ${UNPACKED}/usr/bin/tessnivar-report)
    execute_process(COMMAND ${tool} --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT version MATCHES "^tessnivar-report V ${VERSION}\nCopyright ")
        message(SEND_ERROR "${tool} --version exited with ${status}, printing \"${version}\"")
    endif()

    foreach(form --text --csv)
        execute_process(COMMAND ${tool} ${form} 172.16.0.0 4 OUTPUT_VARIABLE packaged
                        COMMAND_ERROR_IS_FATAL ANY)
        execute_process(COMMAND ${BUILT_TOOL} ${form} 172.16.0.0 4 OUTPUT_VARIABLE built
                        COMMAND_ERROR_IS_FATAL ANY)
        if(NOT packaged STREQUAL built OR packaged STREQUAL "")
            message(SEND_ERROR "the packaged tool's ${form} report differs from the built one's")
        endif()
    endforeach()

    foreach(program tessnivar tessnivar-report)
        # Control flow integrity is not among Debian 12's hardening flags.
        execute_process(COMMAND hardening-check --nocfprotection ${UNPACKED}/usr/bin/${program}
                        OUTPUT_VARIABLE report RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(SEND_ERROR "${program} is not hardened:\n${report}")
        endif()
    endforeach()
    string(REPLACE "/tessnivar_" "/tessnivar-dbgsym_" dbgsym "${DEB}")
    if(NOT EXISTS ${dbgsym})
        message(SEND_ERROR "no debug symbols package ${dbgsym}")
    endif()
    execute_process(COMMAND lintian --pedantic -I --fail-on error,warning ${CHANGES}
                    OUTPUT_VARIABLE tags RESULT_VARIABLE status)
    message(STATUS "lintian:\n${tags}")
    if(NOT status EQUAL 0 OR tags MATCHES "hardening-")
        message(SEND_ERROR "lintian exited with ${status}, or found a hardening tag")
    endif()
else()
    message(FATAL_ERROR "unknown CHECK \"${CHECK}\"")
endif()
