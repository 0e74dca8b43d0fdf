# Checks that tessnivar-report's --help and its manual page name the same options and the same
# exit statuses. Run with -DTOOL=<tessnivar-report> -DMANUAL=<man/tessnivar-report.1>.
cmake_minimum_required(VERSION 3.25)

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
